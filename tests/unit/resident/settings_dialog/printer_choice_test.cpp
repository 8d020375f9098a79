#include "resident/settings_dialog/printer_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace vistrane {
namespace {

// Printers with the paper codes each accepts; the current one starts as the
// system default, on its own default paper.
class FakePrinter final : public DialogPrinter {
 public:
  struct Installed {
    std::wstring name;
    std::wstring port;
    std::vector<std::int16_t> papers;
    std::int16_t defaultPaper;
  };

  FakePrinter(std::vector<Installed> installed, std::wstring defaultName)
      : installed_(std::move(installed)), default_(std::move(defaultName)) {
    MakeDefaultCurrent();
    madeCurrent = 0;
  }

  std::vector<InstalledPrinterName> Printers() override {
    std::vector<InstalledPrinterName> names;
    for (const Installed& p : installed_) names.push_back({p.name, p.port});
    return names;
  }
  std::optional<std::wstring> CurrentName() override {
    if (!current_) return std::nullopt;
    return current_->name;
  }
  void MakeCurrent(const std::wstring& name) override {
    current_ = &*std::find_if(installed_.begin(), installed_.end(),
                              [&](const Installed& p) { return p.name == name; });
    paper_ = current_->defaultPaper;
    ++madeCurrent;
  }
  void MakeDefaultCurrent() override {
    if (!default_.empty()) MakeCurrent(default_);
  }
  std::vector<std::int16_t> PaperSizes() override { return current_->papers; }
  std::int16_t PaperSize() override { return paper_; }
  bool SetPaperSize(std::int16_t code) override {
    if (std::count(current_->papers.begin(), current_->papers.end(), code) == 0) return false;
    paper_ = code;
    return true;
  }

  int madeCurrent = 0;

 private:
  std::vector<Installed> installed_;
  std::wstring default_;
  const Installed* current_ = nullptr;
  std::int16_t paper_ = 0;
};

const std::vector<std::int16_t> kLetterA4{1, 9};
const std::vector<std::int16_t> kA4A5{9, 11, 70};  // 70: A6, not offered

TEST(ListPrinters, FirstOpeningSelectsTheDefaultPrinterAndItsPaper) {
  FakePrinter printer(
      {{L"Office", L"LPT1:", kLetterA4, 1}, {L"VPDF", L"CUPS:VPDF", {1, 9, 11, 70}, 9}}, L"VPDF");
  SettingsRecord record;
  const ChoiceList printers = ListPrinters(record, printer);
  EXPECT_EQ(printers.texts, (std::vector<std::wstring>{L"Office", L"VPDF"}));
  EXPECT_EQ(printers.selected, 1u);
  EXPECT_EQ(record.PrtDeviceName, L"VPDF");

  const ChoiceList papers = ListPaperSizes(record, printer);
  EXPECT_EQ(papers.texts, (std::vector<std::wstring>{L"レター、8 1/2 x 11 インチ",
                                                     L"A4、210 x 297 mm", L"A5、148 x 210 mm"}));
  EXPECT_EQ(papers.itemData, (std::vector<std::int16_t>{1, 9, 11}));
  EXPECT_EQ(papers.selected, 1u);
  EXPECT_EQ(record.PrtPaperSize, 9);
}

TEST(ListPrinters, APrinterOnPubIsNeverListedNorSelected) {
  FakePrinter printer({{L"Shared", L"PUB:", kLetterA4, 1}, {L"VPDF", L"CUPS:VPDF", kA4A5, 9}},
                      L"Shared");
  SettingsRecord record;
  const ChoiceList printers = ListPrinters(record, printer);
  EXPECT_EQ(printers.texts, (std::vector<std::wstring>{L"VPDF"}));
  EXPECT_EQ(printers.selected, std::nullopt);
  EXPECT_EQ(record.PrtDeviceName, L"");
  EXPECT_EQ(printer.CurrentName(), L"Shared");
}

TEST(ListPrinters, ReopeningMakesTheRememberedPrinterAndPaperCurrentAgain) {
  FakePrinter printer({{L"Office", L"LPT1:", kLetterA4, 1}, {L"VPDF", L"CUPS:VPDF", kA4A5, 9}},
                      L"Office");
  SettingsRecord record;
  record.PrtDeviceName = L"VPDF";
  record.PrtPaperSize = 11;
  EXPECT_EQ(ListPrinters(record, printer).selected, 1u);
  EXPECT_EQ(printer.CurrentName(), L"VPDF");
  EXPECT_EQ(ListPaperSizes(record, printer).selected, 1u);
  EXPECT_EQ(printer.PaperSize(), 11);

  record.PrtDeviceName = L"Gone";  // matches nothing: nothing changes
  EXPECT_EQ(ListPrinters(record, printer).selected, std::nullopt);
  EXPECT_EQ(printer.CurrentName(), L"VPDF");
  EXPECT_EQ(record.PrtDeviceName, L"Gone");
}

TEST(ListPaperSizes, APaperOutsideTheListIsKeptButNotSelected) {
  FakePrinter printer({{L"VPDF", L"CUPS:VPDF", kA4A5, 70}}, L"VPDF");
  SettingsRecord record;
  const ChoiceList papers = ListPaperSizes(record, printer);
  EXPECT_EQ(papers.itemData, (std::vector<std::int16_t>{9, 11}));
  EXPECT_EQ(papers.selected, std::nullopt);
  EXPECT_EQ(printer.PaperSize(), 70);
  EXPECT_EQ(record.PrtPaperSize, 70);
}

TEST(ListPaperSizes, NoPrinterGivesEmptyListsAndChangesNothing) {
  FakePrinter printer({}, L"");
  SettingsRecord record;
  EXPECT_TRUE(ListPrinters(record, printer).texts.empty());
  const ChoiceList papers = ListPaperSizes(record, printer);
  EXPECT_TRUE(papers.texts.empty());
  EXPECT_EQ(record.PrtPaperSize, 0);
}

TEST(ChoosePrinter, AnotherPrinterRebuildsThePapersTheSameOneChangesNothing) {
  FakePrinter printer({{L"Office", L"LPT1:", kLetterA4, 1}, {L"VPDF", L"CUPS:VPDF", kA4A5, 11}},
                      L"Office");
  SettingsRecord record;
  ListPrinters(record, printer);
  ListPaperSizes(record, printer);
  ChoosePaperSize(record, printer, 9);
  EXPECT_EQ(record.PrtPaperSize, 9);

  EXPECT_EQ(ChoosePrinter(record, printer, L"Office"), std::nullopt);
  EXPECT_EQ(printer.madeCurrent, 0);

  const std::optional<ChoiceList> papers = ChoosePrinter(record, printer, L"VPDF");
  ASSERT_TRUE(papers);
  EXPECT_EQ(papers->itemData, (std::vector<std::int16_t>{9, 11}));
  EXPECT_EQ(record.PrtDeviceName, L"VPDF");
  EXPECT_EQ(record.PrtPaperSize, 11);  // the new printer's own paper, not the earlier choice

  ChoosePaperSize(record, printer, 9);
  EXPECT_EQ(printer.PaperSize(), 9);
  EXPECT_EQ(record.PrtPaperSize, 9);
}

TEST(RestorePrinter, PutsBackThePrinterAndPaperInUseWhenTheDialogOpened) {
  struct Row {
    std::wstring chosen;  // in the snapshot; empty: none in this run
    std::int16_t paper;
    std::wstring cancelled;  // the choice the user then cancels
    std::wstring current;
    std::int16_t currentPaper;
  };
  for (const Row& row :
       {Row{L"", 0, L"VPDF", L"Office", 1}, Row{L"VPDF", 11, L"Office", L"VPDF", 11}}) {
    SCOPED_TRACE(testing::PrintToString(row.chosen));
    FakePrinter printer({{L"Office", L"LPT1:", kLetterA4, 1}, {L"VPDF", L"CUPS:VPDF", kA4A5, 9}},
                        L"Office");
    SettingsRecord snapshot;
    snapshot.PrtDeviceName = row.chosen;
    snapshot.PrtPaperSize = row.paper;
    printer.MakeCurrent(row.cancelled);
    printer.SetPaperSize(9);
    RestorePrinter(snapshot, printer);
    EXPECT_EQ(printer.CurrentName(), row.current);
    EXPECT_EQ(printer.PaperSize(), row.currentPaper);
  }
}

}  // namespace
}  // namespace vistrane
