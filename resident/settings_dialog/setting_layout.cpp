#include "resident/settings_dialog/setting_layout.h"

namespace vistrane {
namespace {

using K = ControlKind;
using C = Container;

constexpr int kRowHeight = 21;  // text boxes and drop-down lists

const ControlLayout kLayout[] = {
    {ctl::frmOutput, K::Frame, C::Dialog, L"出力先の指定", {6, 2, 587, 52}},
    {ctl::frmPrinterOut, K::Frame, C::Dialog, L"プリンター出力", {14, 16, 187, 32}, Ink::Normal,
     false, 0, Flow::Row},
    {ctl::frmFileOut, K::Frame, C::Dialog, L"ファイル出力", {207, 16, 187, 32}, Ink::Normal, false,
     0, Flow::Row},
    {ctl::frmMailSend, K::Frame, C::Dialog, L"メール送信", {400, 16, 185, 32}, Ink::Normal, false,
     0, Flow::Row},
    {ctl::frmOutputColor, K::Frame, C::Dialog, L"画像の表示色", {6, 56, 330, 34}, Ink::Normal,
     false, 0, Flow::Row},
    {ctl::SSTab1, K::Tabs, C::Dialog, L"", {6, 94, 587, 216}},
    {ctl::btnOK, K::Button, C::Dialog, L"O K", {433, 314, 76, 25}},
    {ctl::btnCancel, K::Button, C::Dialog, L"キャンセル", {515, 314, 78, 25}},

    // tab 0: the printer, the paper and the page layout
    {ctl::PrtName, K::DropDown, C::PrinterPage, L"", {6, 6, 280, kRowHeight}},
    {ctl::PaperSize, K::DropDown, C::PrinterPage, L"", {296, 6, 280, kRowHeight}},
    {ctl::frmOrientation, K::Frame, C::PrinterPage, L"印刷時の用紙方向", {6, 30, 280, 36},
     Ink::Normal, false, 0, Flow::Row},
    {ctl::frmPrtYoko, K::Frame, C::PrinterPage, L"印刷時の配置（横方向）", {6, 74, 280, 36},
     Ink::Normal, false, 0, Flow::Row},
    {ctl::frmPrtTate, K::Frame, C::PrinterPage, L"印刷時の配置（縦方向）", {6, 118, 280, 36},
     Ink::Normal, false, 0, Flow::Row},
    {ctl::frmZoom, K::Frame, C::PrinterPage, L"印刷時の自動縮小・拡大", {296, 30, 280, 162},
     Ink::Normal, false, 0, Flow::Column, 42},
    // The notes follow the whole group, so the arrow keys stay among the
    // buttons; each sits under its button.
    {ctl::Label2, K::Label, C::PrinterPage,
     L"(幅・高さのどちらかが用紙サイズより大きい場合に自動で縮小)", {322, 59, 248, 26}, Ink::Blue},
    {ctl::Label3, K::Label, C::PrinterPage, L"(幅・高さ共に用紙サイズより小さい場合に自動で拡大)",
     {322, 101, 248, 26}, Ink::Blue},
    {ctl::Label4, K::Label, C::PrinterPage, L"(幅・高さを用紙サイズに合わせて縮小及び拡大)",
     {322, 143, 248, 26}, Ink::Blue},

    // tab 1: the output folder, the file name and the automatic deletion
    {ctl::frmOutFolder, K::Frame, C::FilePage, L"出力先", {6, 4, 230, 166}},
    {ctl::Image1, K::DriveIcon, C::FilePage, L"", {14, 20, 32, 32}},
    {ctl::drvBox, K::DropDown, C::FilePage, L"", {52, 25, 176, kRowHeight}},
    {ctl::dirList, K::FolderList, C::FilePage, L"", {14, 56, 214, 108}},
    {ctl::frmOutFile, K::Frame, C::FilePage, L"画像出力ファイル", {244, 4, 334, 114}},
    {ctl::Label6, K::Label, C::FilePage, L"名称：", {254, 24, 40, 16}},
    {ctl::txtFileName, K::Text, C::FilePage, L"", {296, 20, 96, kRowHeight}, Ink::Normal, false, 8},
    {ctl::frmFileNamePlus, K::Frame, C::FilePage, L"画像出力ファイル名末尾への付加",
     {252, 44, 318, 34}, Ink::Normal, false, 0, Flow::Row},
    {ctl::frmFileType, K::Frame, C::FilePage, L"画像出力ファイルの形式", {252, 80, 318, 34},
     Ink::Normal, false, 0, Flow::Row},
    {ctl::frmAutoDelete, K::Frame, C::FilePage, L"画像ファイルの自動削除", {244, 122, 334, 40},
     Ink::Normal, false, 0, Flow::Row},
    // The label goes first, so it names the field for a screen reader.
    {ctl::Label1, K::Label, C::FilePage, L"日を過ぎた場合に削除", {422, 140, 150, 16}},
    {ctl::numAutoDelDate, K::Text, C::FilePage, L"", {376, 136, 40, kRowHeight}, Ink::Normal, false,
     3},
    {ctl::lblDirName, K::Label, C::FilePage, L"", {6, 174, 572, 16}, Ink::Red, true},

    // tab 2: the mail
    {ctl::Label7, K::Label, C::MailPage,
     L"※メール送信する為には、電子メールソフト（Exchange、Outlook、OutlookExpress）をデフォルトの",
     {6, 4, 574, 14}, Ink::DarkRed},
    {ctl::Label9, K::Label, C::MailPage, L"　メールクライアントに設定しておく必要があります。",
     {6, 18, 574, 14}, Ink::DarkRed},
    {ctl::Label5, K::Label, C::MailPage, L"宛て先", {6, 40, 44, 16}},
    {ctl::txtMailAdd, K::Text, C::MailPage, L"", {52, 36, 526, kRowHeight}, Ink::Normal, false, 64},
    {ctl::Label8, K::Label, C::MailPage, L"件 名 ", {6, 64, 44, 16}},
    {ctl::txtMailKenmei, K::Text, C::MailPage, L"", {52, 60, 526, kRowHeight}, Ink::Normal, false,
     64},
    {ctl::txtMailNote, K::RichText, C::MailPage, L"", {6, 86, 572, 32}},
    {ctl::frmCompress, K::Frame, C::MailPage, L"添付ファイルがビットマップの場合",
     {6, 121, 300, 69}, Ink::Normal, false, 0, Flow::Column, 17},
    {ctl::Label10, K::Label, C::MailPage, L"圧縮して添付する場合は", {316, 140, 260, 14}, Ink::Navy},
    {ctl::Label11, K::Label, C::MailPage, L"別途、ＵｎＬＨＡ３２が必要です。", {316, 156, 260, 14},
     Ink::Navy},
};

const TabPage kTabs[] = {
    {L"プリンター設定", C::PrinterPage, ctl::frmPrinterSet},
    {L"ファイル出力設定", C::FilePage, ctl::frmFileOutputSet},
    {L"メール送信設定", C::MailPage, ctl::frmMailSet},
};

}  // namespace

std::span<const ControlLayout> SettingLayout() { return kLayout; }

std::span<const TabPage> SettingTabs() { return kTabs; }

}  // namespace vistrane
