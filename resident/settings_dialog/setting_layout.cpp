#include "resident/settings_dialog/setting_layout.h"

namespace vistrane {
namespace {

using K = ControlKind;
using C = Container;

constexpr int kRowHeight = 21;  // text boxes and drop-down lists

const ControlLayout kLayout[] = {
    {ctl::frmOutput, K::Frame, C::Dialog, L"出力先の指定", {6, 2, 587, 56}},
    {ctl::frmPrinterOut, K::Frame, C::Dialog, L"プリンター出力", {14, 18, 187, 34}, Ink::Normal,
     false, 0, Flow::Row},
    {ctl::frmFileOut, K::Frame, C::Dialog, L"ファイル出力", {207, 18, 187, 34}, Ink::Normal, false,
     0, Flow::Row},
    {ctl::frmMailSend, K::Frame, C::Dialog, L"メール送信", {400, 18, 185, 34}, Ink::Normal, false,
     0, Flow::Row},
    {ctl::frmOutputColor, K::Frame, C::Dialog, L"画像の表示色", {6, 62, 96, 100}, Ink::Normal,
     false, 0, Flow::Column, 20},
    {ctl::SSTab1, K::Tabs, C::Dialog, L"", {108, 62, 485, 244}},
    {ctl::btnOK, K::Button, C::Dialog, L"O K", {433, 312, 76, 25}},
    {ctl::btnCancel, K::Button, C::Dialog, L"キャンセル", {515, 312, 78, 25}},

    // tab 0: the printer, the paper and the page layout
    {ctl::PrtName, K::DropDown, C::PrinterPage, L"", {6, 6, 226, kRowHeight}},
    {ctl::PaperSize, K::DropDown, C::PrinterPage, L"", {240, 6, 226, kRowHeight}},
    {ctl::frmOrientation, K::Frame, C::PrinterPage, L"印刷時の用紙方向", {6, 34, 226, 40},
     Ink::Normal, false, 0, Flow::Row},
    {ctl::frmPrtYoko, K::Frame, C::PrinterPage, L"印刷時の配置（横方向）", {6, 80, 226, 40},
     Ink::Normal, false, 0, Flow::Row},
    {ctl::frmPrtTate, K::Frame, C::PrinterPage, L"印刷時の配置（縦方向）", {6, 126, 226, 40},
     Ink::Normal, false, 0, Flow::Row},
    {ctl::frmZoom, K::Frame, C::PrinterPage, L"印刷時の自動縮小・拡大", {240, 34, 226, 176},
     Ink::Normal, false, 0, Flow::Column, 44},
    // The notes follow the whole group, so the arrow keys stay among the
    // buttons; each sits under its button.
    {ctl::Label2, K::Label, C::PrinterPage,
     L"(幅・高さのどちらかが用紙サイズより大きい場合に自動で縮小)", {266, 66, 196, 28}, Ink::Blue},
    {ctl::Label3, K::Label, C::PrinterPage, L"(幅・高さ共に用紙サイズより小さい場合に自動で拡大)",
     {266, 110, 196, 28}, Ink::Blue},
    {ctl::Label4, K::Label, C::PrinterPage, L"(幅・高さを用紙サイズに合わせて縮小及び拡大)",
     {266, 154, 196, 28}, Ink::Blue},

    // tab 1: the output folder, the file name and the automatic deletion
    {ctl::frmOutFolder, K::Frame, C::FilePage, L"出力先", {6, 4, 196, 188}},
    {ctl::Image1, K::DriveIcon, C::FilePage, L"", {14, 22, 32, 32}},
    {ctl::drvBox, K::DropDown, C::FilePage, L"", {52, 27, 142, kRowHeight}},
    {ctl::dirList, K::FolderList, C::FilePage, L"", {14, 60, 180, 124}},
    {ctl::frmOutFile, K::Frame, C::FilePage, L"画像出力ファイル", {208, 4, 260, 124}},
    {ctl::Label6, K::Label, C::FilePage, L"名称：", {218, 25, 40, 16}},
    {ctl::txtFileName, K::Text, C::FilePage, L"", {260, 21, 96, kRowHeight}, Ink::Normal, false, 8},
    {ctl::frmFileNamePlus, K::Frame, C::FilePage, L"画像出力ファイル名末尾への付加",
     {216, 48, 244, 36}, Ink::Normal, false, 0, Flow::Row},
    {ctl::frmFileType, K::Frame, C::FilePage, L"画像出力ファイルの形式", {216, 86, 244, 36},
     Ink::Normal, false, 0, Flow::Row},
    {ctl::frmAutoDelete, K::Frame, C::FilePage, L"画像ファイルの自動削除", {208, 132, 260, 60},
     Ink::Normal, false, 0, Flow::Row},
    {ctl::numAutoDelDate, K::Text, C::FilePage, L"", {220, 163, 40, kRowHeight}, Ink::Normal, false,
     3},
    {ctl::Label1, K::Label, C::FilePage, L"日を過ぎた場合に削除", {266, 167, 196, 16}},
    {ctl::lblDirName, K::Label, C::FilePage, L"", {6, 198, 462, 16}, Ink::Red, true},

    // tab 2: the mail
    {ctl::Label7, K::Label, C::MailPage,
     L"※メール送信する為には、電子メールソフト（Exchange、Outlook、OutlookExpress）をデフォルトの",
     {6, 4, 466, 14}, Ink::DarkRed},
    {ctl::Label9, K::Label, C::MailPage, L"　メールクライアントに設定しておく必要があります。",
     {6, 18, 466, 14}, Ink::DarkRed},
    {ctl::Label5, K::Label, C::MailPage, L"宛て先", {6, 40, 44, 16}},
    {ctl::txtMailAdd, K::Text, C::MailPage, L"", {52, 36, 414, kRowHeight}, Ink::Normal, false, 64},
    {ctl::Label8, K::Label, C::MailPage, L"件 名 ", {6, 64, 44, 16}},
    {ctl::txtMailKenmei, K::Text, C::MailPage, L"", {52, 60, 414, kRowHeight}, Ink::Normal, false,
     64},
    {ctl::txtMailNote, K::RichText, C::MailPage, L"", {6, 86, 460, 68}},
    {ctl::frmCompress, K::Frame, C::MailPage, L"添付ファイルがビットマップの場合",
     {6, 158, 252, 54}, Ink::Normal, false, 0, Flow::Column, 18},
    {ctl::Label10, K::Label, C::MailPage, L"圧縮して添付する場合は", {266, 174, 200, 14}, Ink::Navy},
    {ctl::Label11, K::Label, C::MailPage, L"別途、ＵｎＬＨＡ３２が必要です。", {266, 190, 200, 14},
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
