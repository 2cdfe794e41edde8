// FMain: the main window. It holds the run state, starts extraction runs and opens the
// list tools, the help page and the web site.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <memory>

#include "engine/extraction_run.h"
#include "ui/file_open_dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace ondrel::ui {

class Desktop;
class FSottrai;
class QtWindowSystem;

class FMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit FMain(Desktop& desktop);
  ~FMain() override;

  // Set by the kind options; an extraction run reads it afresh for every file, so a change
  // during a run applies from the next file.
  std::int16_t FileKind = kKindWebPages;
  RunCounters Counters;

  QtWindowSystem& Windows();
  // Whether a run or an elimination is under way.
  bool Working() const { return working_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class WorkScope;

  void BuildControls(QWidget* client);
  void BuildMenus();
  void SetTabOrder();
  void Form_Load();

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

  // "Estrazione", the path controls and the menus are greyed while working.
  void SetWorking(bool working);

  Desktop& desktop_;
  std::unique_ptr<QtWindowSystem> windows_;
  FileOpenDialog dlg_;
  QPointer<FSottrai> sottrai_;
  bool working_ = false;
  bool closeRequested_ = false;  // the close box was used during a run: close at its end

  std::array<QLineEdit*, 2> txtPath_{};
  std::array<QPushButton*, 2> cmdSfoglia_{};
  std::array<QRadioButton*, 3> optKindF_{};
  QLabel* lblProc_ = nullptr;
  QLabel* lblRes_ = nullptr;
  QLabel* lblMail_ = nullptr;
  QCheckBox* chkApp_ = nullptr;
  QPushButton* cmdExtract_ = nullptr;
  QMenu* mnuFile_ = nullptr;
  QMenu* mnuStru_ = nullptr;
};

}  // namespace ondrel::ui
