// The three windows of the desktop program, described once for every toolkit.
#pragma once

#include "ondrel/version.h"
#include "ui/shared/controls.h"

namespace ondrel::ui {

namespace layout {

inline constexpr Colour kMainColour = Rgb(255, 255, 192);
inline constexpr Colour kStatusBack = Rgb(0, 0, 255);
inline constexpr Colour kStatusText = Rgb(255, 255, 255);
// The logo pictures open the program's web site and show its address, when it has one.
inline constexpr bool kHasWebSite = !std::string_view(kWebSiteUrl).empty();
// The options and the check box may reach up to "Estrazione".
inline constexpr int kBesideExtract = 3855 - 60;

using enum ControlKind;

inline constexpr ControlSpec kMainControls[] = {
    {.name = "lblTit(0)",
     .caption = "Ondrel",
     .place = {1125, 60, 3210, 405},
     .points = 18,
     .bold = true,
     .centred = true},
    {.name = "lblTit(1)",
     .caption = "Estrazione indirizzi e-mail da pagine web, newsgroup e file di testo.",
     .place = {135, 465, 5085, 585},
     .points = 9.75,
     .bold = true,
     .centred = true,
     .wordWrap = true},
    {.name = "lblGen(0)",
     .caption = "Percorso da controllare (include sotto cartelle)",
     .place = {135, 1320, 3600, 210},
     .captionRoomRight = 5460 - 135},
    {.name = "txtPath(0)", .kind = kTextBox, .place = {135, 1530, 4440, 285}},
    {.name = "cmdSfoglia(0)",
     .kind = kButton,
     .caption = "Sfoglia",
     .place = {4620, 1515, 705, 300},
     .back = kButtonColour},
    {.name = "lblGen(1)", .caption = "Percorso di output", .place = {150, 1920, 3600, 210}},
    {.name = "txtPath(1)", .kind = kTextBox, .place = {135, 2130, 4425, 285}},
    {.name = "cmdSfoglia(1)",
     .kind = kButton,
     .caption = "Sfoglia",
     .place = {4620, 2115, 705, 300},
     .back = kButtonColour},
    // The pictures and the line sit between the path block and the status block.
    {.name = "Image1(0)",
     .kind = kImage,
     .place = {300, 2670, 720, 720},
     .picture = Picture::kLogo,
     .toolTip = kWebSiteUrl,
     .handPointer = kHasWebSite},
    {.name = "Image1(1)",
     .kind = kImage,
     .place = {1200, 2730, 3300, 660},
     .picture = Picture::kWordmark,
     .toolTip = kWebSiteUrl,
     .handPointer = kHasWebSite},
    {.name = "imgHelp",
     .kind = kImage,
     .place = {4770, 2790, 480, 480},
     .picture = Picture::kQuestionMark,
     .toolTip = "Informazioni",
     .handPointer = true},
    {.name = "Line1", .kind = kLine, .place = {135, 3585, 5190, 45}},
    {.name = "lblProc",
     .place = {255, 3840, 4950, 210},
     .centred = true,
     .back = kStatusBack,
     .fore = kStatusText},
    {.name = "lblRes",
     .place = {255, 4095, 4950, 210},
     .centred = true,
     .back = kStatusBack,
     .fore = kStatusText},
    {.name = "lblMail",
     .caption = "Indirizzo email",
     .place = {255, 4350, 4950, 210},
     .centred = true,
     .back = kStatusBack,
     .fore = kStatusText},
    {.name = "lblGen(2)",
     .caption = "Il file di output ha nome Mailout.txt",
     .place = {1035, 4590, 3600, 210},
     .centred = true},
    {.name = "optKindF(0)",
     .kind = kOption,
     .caption = "File html (htm, html, asp)",
     .place = {255, 4980, 2460, 225},
     .value = 1,
     .captionRoomRight = kBesideExtract},
    {.name = "optKindF(1)",
     .kind = kOption,
     .caption = "File di testo (txt)",
     .place = {255, 5250, 2460, 225},
     .captionRoomRight = kBesideExtract},
    {.name = "optKindF(2)",
     .kind = kOption,
     .caption = "File News di Outlook Express (dbx)",
     .place = {255, 5520, 2910, 225},
     .captionRoomRight = kBesideExtract},
    {.name = "chkApp",
     .kind = kCheckBox,
     .caption = "Aggiungi al file Mailout esistente",
     .place = {270, 5925, 2715, 195},
     .captionRoomRight = kBesideExtract},
    {.name = "cmdExtract",
     .kind = kButton,
     .caption = "Estrazione",
     .place = {3855, 5445, 1470, 690},
     .back = kButtonColour},
};

// Labels take no focus, so the order runs from the paths straight to the options.
inline constexpr std::string_view kMainTabOrder[] = {
    "cmdExtract", "txtPath(0)",  "cmdSfoglia(0)", "txtPath(1)", "cmdSfoglia(1)",
    "chkApp",     "optKindF(0)", "optKindF(1)",   "optKindF(2)"};

inline constexpr MenuSpec kMainMenus[] = {
    {"mnuFile", "File", ""},
    {"mnuFileExit", "Esci", "mnuFile"},
    {"mnuStru", "Strumenti", ""},
    {"mnuStruSub", "Sottrai indirizzi...", "mnuStru"},
    {"mnuStruDbl", "Elimina doppi...", "mnuStru"},
};

inline constexpr ControlSpec kSottraiControls[] = {
    {.name = "lbl",
     .caption = "Permette di creare un nuovo file contenente gli indirizzi del primo meno quelli "
                "del secondo.",
     .place = {135, 165, 4920, 450},
     .wordWrap = true},
    {.name = "lblGen(0)",
     .caption = "File da cui sottrarre (file Base)",
     .place = {120, 870, 3600, 240},
     .captionRoomRight = 5265 - 120},
    {.name = "txtFile(0)", .kind = kTextBox, .place = {120, 1125, 4170, 285}},
    {.name = "cmdSfoglia(0)",
     .kind = kButton,
     .caption = "Sfoglia",
     .place = {4365, 1110, 705, 300},
     .back = kButtonColour},
    {.name = "lblGen(1)",
     .caption = "File con indirizzi da escludere dal file Base",
     .place = {120, 1515, 3600, 210},
     .captionRoomRight = 5265 - 120},
    {.name = "txtFile(1)", .kind = kTextBox, .place = {120, 1725, 4170, 285}},
    {.name = "cmdSfoglia(1)",
     .kind = kButton,
     .caption = "Sfoglia",
     .place = {4365, 1710, 705, 300},
     .back = kButtonColour},
    {.name = "lblGen(2)",
     .caption = "Il nuovo file si chiamer\xC3\xA0 MailNew.txt e sar\xC3\xA0 creato nella cartella "
                "del file base.",
     .place = {135, 2175, 4170, 570},
     .wordWrap = true},
    {.name = "cmdSub",
     .kind = kButton,
     .caption = "Crea nuovo file",
     .place = {1890, 2910, 1470, 690},
     .back = kButtonColour},
    {.name = "imgHelp",
     .kind = kImage,
     .place = {165, 3150, 480, 480},
     .picture = Picture::kQuestionMark,
     .toolTip = "Informazioni",
     .handPointer = true},
};

// Labels take no focus; the second "Sfoglia" leads and "Crea nuovo file" closes the order.
inline constexpr std::string_view kSottraiTabOrder[] = {"cmdSfoglia(1)", "txtFile(1)",
                                                        "cmdSfoglia(0)", "txtFile(0)", "cmdSub"};

inline constexpr ControlSpec kDlgDoppiControls[] = {
    {.name = "lblTit",
     .caption = "Eliminazione doppi ed ordinamento",
     .place = {90, 240, 4365, 330},
     .points = 12,
     .bold = true,
     .centred = true,
     .fore = Rgb(0, 0, 255),
     .captionRoomRight = 4635},
    {.name = "pic(0)", .kind = kPictureBox, .place = {135, 900, 4320, 240}},
    {.name = "cmdCanc",
     .kind = kButton,
     .caption = "Annulla",
     .place = {1755, 1635, 1170, 345},
     .back = kButtonColour},
};

inline constexpr std::string_view kDlgDoppiTabOrder[] = {"cmdCanc"};

}  // namespace layout

inline constexpr FormSpec kFMain = {.name = "FMain",
                                    .width = 5460,
                                    .height = 6255,
                                    .back = layout::kMainColour,
                                    .controls = layout::kMainControls,
                                    .tabOrder = layout::kMainTabOrder,
                                    .menus = layout::kMainMenus};

inline constexpr FormSpec kFSottrai = {.name = "FSottrai",
                                       .caption = "Sottrai indirizzi",
                                       .width = 5265,
                                       .height = 3825,
                                       .back = Rgb(192, 192, 255),
                                       .controls = layout::kSottraiControls,
                                       .tabOrder = layout::kSottraiTabOrder};

// Without an owner, so kept on top while the elimination runs; the side room lets the bold
// title keep clear of the edges and the title bar show the window's caption whole.
inline constexpr FormSpec kFDlgDoppi = {.name = "FDlgDoppi",
                                        .caption = "Eliminazione doppi ed ordinamento",
                                        .width = 4635,
                                        .height = 2205,
                                        .back = Rgb(192, 255, 192),
                                        .staysOnTop = true,
                                        .sideRoom = 750,
                                        .controls = layout::kDlgDoppiControls,
                                        .tabOrder = layout::kDlgDoppiTabOrder};

inline constexpr const FormSpec* kAllForms[] = {&kFMain, &kFSottrai, &kFDlgDoppi};

}  // namespace ondrel::ui
