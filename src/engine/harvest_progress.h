// What a harvest asks of a front end while it reads a tree: to show the file and the address
// it is at, and to let the windows work (where the user may ask to stop). Nothing else of the
// window system reaches the walk, the scanner or the threads that read files.
#pragma once

#include <string>
#include <string_view>

#include "common/window_system.h"

namespace ondrel {

class HarvestProgress {
 public:
  // The file whose scan begins ("Analisi di: " and its name, in lblProc).
  virtual void ShowFile(const std::string& path) = 0;
  // The store file whose text copy is being made ("Conversione di: " and its name, in lblMail).
  virtual void ShowConversion(const std::string& path) = 0;
  // An address found (in lblMail).
  virtual void ShowAddress(std::string_view address) = 0;
  // Lets the windows handle what is pending; throws StopRequest when the user asked to end
  // the run.
  virtual void Yield() = 0;

 protected:
  ~HarvestProgress() = default;
};

// The progress of a run in the status labels of a window system.
class WindowProgress final : public HarvestProgress {
 public:
  explicit WindowProgress(WindowSystem& windows) : windows_(windows) {}

  void ShowFile(const std::string& path) override;
  void ShowConversion(const std::string& path) override;
  void ShowAddress(std::string_view address) override;
  void Yield() override { windows_.Yield(); }

 private:
  WindowSystem& windows_;
};

}  // namespace ondrel
