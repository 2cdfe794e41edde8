// FMain's events, whatever toolkit draws the window: the run, the folder browser, the kind
// options, the pictures, the menus and what closing the window does during work.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/window_system.h"
#include "engine/extraction_run.h"
#include "ui/shared/file_open_dialog.h"
#include "ui/shared/view.h"
#include "ui/shared/work_hooks.h"

namespace ondrel::ui {

class Desktop;
class FSottraiHandlers;

// What the handlers ask of the toolkit's main window beyond its controls.
class FMainHost {
 public:
  virtual ~FMainHost() = default;
  // Centres the window on its screen.
  virtual void PlaceForm() = 0;
  // Unloads the main window; its close asks Form_QueryUnload first.
  virtual void CloseMainWindow() = 0;
  // The same, once the current event has been handled.
  virtual void CloseMainWindowLater() = 0;
  // Shows FSottrai without making it modal, owned by the main window: creates it, or
  // brings the open one forward with its boxes unchanged.
  virtual void ShowSubtraction() = 0;
  // The open subtraction window's handlers, or null.
  virtual FSottraiHandlers* Subtraction() = 0;
  virtual void CloseSubtraction() = 0;
};

// "Ondrel 1.0.17": the title and the version numbers as plain decimals.
std::string MainCaption(const ProgramFacts& facts);

class FMainHandlers {
 public:
  FMainHandlers(View& view, FMainHost& host, Desktop& desktop, WindowSystem& windows,
                WorkHooks& hooks);

  // Set by the kind options; an extraction run reads it afresh for every file, so a change
  // during a run applies from the next file.
  std::int16_t FileKind = kKindWebPages;
  RunCounters Counters;

  // Whether a run or an elimination is under way.
  bool Working() const { return working_; }

  void Form_Load();
  // A click on the control or menu item `name`; those without a click event ignore it.
  void Click(std::string_view name);
  void cmdSfoglia_Click(int index);
  void cmdExtract_Click();
  // After the summary: one message with how many files were not read and the first names.
  void ReportSkippedFiles(const std::vector<SkippedFile>& skipped);
  void optKindF_Click(int index);
  void imgHelp_Click();
  void Image1_Click(int index);
  void mnuFileExit_Click();
  void mnuStruSub_Click();
  void mnuStruDbl_Click();
  // Whether the window may close now. A run or an elimination cannot be abandoned half-way
  // without losing its work: the close is taken as "stop, then close".
  bool Form_QueryUnload();

 private:
  class WorkScope;

  // "Estrazione", the path controls and the menus are greyed while working.
  void SetWorking(bool working);

  View& view_;
  FMainHost& host_;
  Desktop& desktop_;
  WindowSystem& windows_;
  WorkHooks& hooks_;
  FileOpenDialog dlg_;
  bool working_ = false;
  bool closeRequested_ = false;  // the close box was used during work: close at its end
};

}  // namespace ondrel::ui
