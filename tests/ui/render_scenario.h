// What the window renderers of both toolkits show, the same in each: every window as it
// opens, the main window after a run, the progress dialog at each change of phase as an
// elimination draws it, and a long file name in a status label.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/path_rules.h"
#include "lists/hgauge.h"
#include "ui/shared/desktop_window_system.h"
#include "ui/shared/f_main_handlers.h"

namespace ondrel::ui::testing {

struct RenderTarget {
  View& main;
  DesktopWindowSystem& windows;
  FMainHandlers& handlers;
  std::string home;  // a user's home folder on the platform
  // Fills the open subtraction window's box `control`.
  std::function<void(std::string_view control, const std::string& text)> setSubtractionText;
  // Saves the top-level window `form` (FMain, FSottrai, FDlgDoppi) as the picture `name`.
  std::function<bool(std::string_view form, const std::string& name)> save;
};

inline bool RenderScenario(const RenderTarget& target) {
  const auto path = [&](const std::string& rest) {
    std::string joined = target.home;
    for (char c : "/" + rest) joined += c == '/' ? kPathSeparator : c;
    return joined;
  };
  DesktopWindowSystem& windows = target.windows;
  bool saved = target.save("FMain", "FMain");

  target.main.SetText("txtPath(0)", path("pagine"));
  target.main.SetText("txtPath(1)", path("liste"));
  windows.SetCaption(StatusLabel::kProc, "Analisi di: contatti.htm");
  windows.SetCaption(StatusLabel::kMail, "Fine elaborazione. Totale indirizzi:27");
  windows.SetCaption(StatusLabel::kRes, "Trovati: 10   Doppi: 3   Nuovi: 7");
  windows.ApplyCaptions();
  saved &= target.save("FMain", "FMain-after-run");

  target.handlers.Click("mnuStruSub");
  target.setSubtractionText("txtFile(0)", path("liste/clienti.txt"));
  saved &= target.save("FSottrai", "FSottrai");

  // Loading in blue, the box cleared to yellow for the sort, marking in red from the start
  // again, then writing in green.
  {
    const std::unique_ptr<ProgressDialog> dialog = windows.ShowProgressDialog();
    PictureBox& picture = dialog->Picture();
    CHgauge gauge(windows);
    gauge.Max(100);
    gauge.Min(0);
    gauge.Setup(picture);
    const auto paintUpTo = [&](std::int16_t last, Colour colour) {
      for (std::int16_t percent = 1; percent <= last; ++percent)
        gauge.Paint(percent, picture, colour);
    };
    paintUpTo(60, Rgb(0, 0, 255));
    saved &= target.save("FDlgDoppi", "FDlgDoppi-1-loading");
    paintUpTo(100, Rgb(0, 0, 255));
    picture.SetBackColour(Rgb(255, 255, 0));
    saved &= target.save("FDlgDoppi", "FDlgDoppi-2-sorting");
    paintUpTo(45, Rgb(255, 0, 0));
    saved &= target.save("FDlgDoppi", "FDlgDoppi-3-marking");
    paintUpTo(100, Rgb(255, 0, 0));
    paintUpTo(70, Rgb(0, 255, 0));
    saved &= target.save("FDlgDoppi", "FDlgDoppi-4-writing");
  }

  windows.SetCaption(StatusLabel::kProc,
                     "Analisi di: elenco-completo-dei-contatti-della-provincia-di-"
                     "Reggio-Emilia-aggiornato-al-2026.htm");
  windows.SetCaption(StatusLabel::kMail,
                     "un.indirizzo.davvero.molto.lungo.per.questa.riga@"
                     "ufficio-relazioni-esterne.esempio.it");
  windows.ApplyCaptions();
  saved &= target.save("FMain", "FMain-long-captions");
  return saved;
}

}  // namespace ondrel::ui::testing
