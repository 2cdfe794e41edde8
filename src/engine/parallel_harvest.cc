#include "engine/parallel_harvest.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "common/checked_int.h"
#include "common/failure.h"
#include "engine/file_findings.h"
#include "engine/folder_walk.h"
#include "engine/sources_table.h"

namespace ondrel {
namespace {

// Bytes of addresses a worker gathers before it hands them over.
constexpr std::size_t kBatchBytes = std::size_t{1} << 16;
// Batches of one file handed over and not yet written: a worker whose file is not the next
// to be written waits when it has this many.
constexpr std::size_t kBatchesPerFile = 2;
// Files under way (waiting, being read, or read and not yet written) per worker.
constexpr std::size_t kFilesPerWorker = 4;

// Addresses one after another, each ending where `ends` says.
struct Batch {
  std::string bytes;
  std::vector<std::size_t> ends;

  void Add(std::string_view address) {
    bytes += address;
    ends.push_back(bytes.size());
  }
  bool Empty() const { return ends.empty(); }
};

struct Message {
  std::string text;
  int style;
  std::string title;
};

// One selected file, from the walk through a worker to the output.
struct FileJob {
  std::string path;
  std::string name;   // in `folder`, when that is open
  OpenFolder folder;  // the folder the walk listed, held open until the file is read
  // Handed over by the worker and taken by the writer, under the harvest's lock.
  std::deque<Batch> batches;
  bool finished = false;
  // Written by the worker alone; read by the writer once `finished` is set, or once it has
  // taken a batch, for the caption, which a scan sets before it finds anything.
  std::string caption;  // the lblProc caption of the scan
  std::vector<Message> messages;
  std::exception_ptr failure;        // a failure of the run, met in this file
  std::vector<SkippedFile> skipped;  // this file, when it could not be read
  FileFindings findings;
  // The walk's, taken when the file is queued: the folders it could not read before this file.
  std::vector<SkippedFile> skippedBefore;
  bool started = false;  // the writer's own: it has begun to write this file
};

// Thrown in a worker to abandon its file once the run has ended.
struct Abandoned {};

// What a scan on a worker shows: kept with its file, for the writer to show in walk order.
class WorkerWindows : public WindowSystem {
 public:
  explicit WorkerWindows(ProgramFacts facts) : facts_(std::move(facts)) {}
  void Attach(FileJob& job) { job_ = &job; }

  void SetCaption(StatusLabel label, std::string_view text) override {
    if (label == StatusLabel::kProc) job_->caption.assign(text);
  }
  void Yield() override {}
  void ShowMessage(std::string_view text, int style, std::string_view title) override {
    job_->messages.push_back(Message{std::string(text), style, std::string(title)});
  }
  void SetBusyPointer(bool) override {}
  [[noreturn]] void EndProgram() override { std::terminate(); }  // no scan ends the program
  std::unique_ptr<ProgressDialog> ShowProgressDialog() override { return nullptr; }
  ProgramFacts Facts() const override { return facts_; }

 private:
  ProgramFacts facts_;
  FileJob* job_ = nullptr;
};

class Harvest {
 public:
  Harvest(ExtractionState& state, int jobs, SourcesTable* sources);
  ~Harvest();
  Harvest(const Harvest&) = delete;
  Harvest& operator=(const Harvest&) = delete;

  void Run(std::string& folder);

 private:
  // A worker's own scanning state, and where the addresses it finds go.
  struct Worker : AddressSink {
    Worker(Harvest& harvest, ExtractionState& run);
    void BeginLines(std::string_view lines) override;
    void EndLines() override;
    void Found(std::string_view address) override;

    Harvest& harvest;
    WorkerWindows windows;
    std::int32_t unused = 0;  // the writer counts the addresses
    ExtractionState state;
    FileJob* job = nullptr;
    Batch batch;
  };

  // The walk's side: queues the file, writing what is ready meanwhile.
  void Visit(const FilePlace& place);
  // Writes what is ready, in walk order, until `done` holds and nothing more is ready.
  template <typename Done>
  void WriteUntil(std::unique_lock<std::mutex>& lock, Done done);
  // Writes the next batch, or ends the next file, if it is ready; false if nothing is.
  bool WriteNext(std::unique_lock<std::mutex>& lock);
  void WriteBatch(const Batch& batch);
  void FinishFile(FileJob& job);
  // Begins the writing of `job`: what the walk met before it is noted, and the file shows.
  void StartFile(FileJob& job);

  // The workers' side.
  void Work(Worker& worker);
  void HandOver(FileJob& job, Batch& batch);
  void Stop();

  ExtractionState& state_;
  SourcesTable* sources_;
  const std::size_t window_;
  bool writerFailed_ = false;  // the walk thread only
  // What could not be read, in walk order, as far as the output is written.
  std::vector<SkippedFile> skipped_;

  std::mutex mutex_;
  std::condition_variable fileWaits_;              // a file waits for a worker, or the walk ended
  std::condition_variable batchTaken_;             // a worker may hand over again
  std::condition_variable outputReady_;            // a batch was handed over or a file finished
  std::deque<std::unique_ptr<FileJob>> underWay_;  // in walk order
  std::deque<FileJob*> waiting_;                   // not taken by a worker yet
  bool walkEnded_ = false;
  bool stopped_ = false;

  std::mutex tempNames_;  // the source of temporary names serves one caller at a time
  std::vector<std::unique_ptr<Worker>> workers_;
  std::vector<std::thread> threads_;
};

Harvest::Worker::Worker(Harvest& harvest, ExtractionState& run)
    : harvest(harvest),
      windows(run.windows.Facts()),
      state(run.output, unused, run.fileKind, windows, run.files) {
  state.handOff = this;
  state.newTempPath = [&harvest, &run] {
    std::lock_guard lock(harvest.tempNames_);
    return run.newTempPath();
  };
}

void Harvest::Worker::BeginLines(std::string_view lines) {
  if (harvest.sources_ != nullptr) job->findings.BeginLines(lines);
}

void Harvest::Worker::EndLines() {
  if (harvest.sources_ != nullptr) job->findings.EndLines();
}

void Harvest::Worker::Found(std::string_view address) {
  if (harvest.sources_ != nullptr) job->findings.Found(address);
  batch.Add(address);
  if (batch.bytes.size() >= kBatchBytes) harvest.HandOver(*job, batch);
}

Harvest::Harvest(ExtractionState& state, int jobs, SourcesTable* sources)
    : state_(state),
      sources_(sources),
      window_(kFilesPerWorker * static_cast<std::size_t>(jobs < 1 ? 1 : jobs)) {
  for (std::size_t i = 0; i < window_ / kFilesPerWorker; ++i)
    workers_.push_back(std::make_unique<Worker>(*this, state_));
}

Harvest::~Harvest() {
  state_.visitFile = nullptr;
  Stop();
  for (std::thread& thread : threads_) thread.join();
}

void Harvest::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  fileWaits_.notify_all();
  batchTaken_.notify_all();
}

void Harvest::Run(std::string& folder) {
  try {
    for (auto& worker : workers_) threads_.emplace_back([this, &worker] { Work(*worker); });
  } catch (const std::system_error& error) {
    throw Failure(kFailureSystem,
                  "Impossibile avviare i thread di lettura dei file: " + std::string(error.what()));
  }
  state_.visitFile = [this](const FilePlace& place) { Visit(place); };
  std::exception_ptr walkFailure;
  try {
    ScanFolderTree(folder, state_);
  } catch (...) {
    if (writerFailed_) {
      // The run stops here, as it would on one thread, knowing only what came before.
      state_.skipped = std::move(skipped_);
      throw;
    }
    // The walk itself failed: the files it handed out before are harvested first.
    walkFailure = std::current_exception();
  }
  // Folders the walk could not read after its last file come after every file.
  std::vector<SkippedFile> lastFolders = std::move(state_.skipped);
  try {
    std::unique_lock lock(mutex_);
    walkEnded_ = true;
    fileWaits_.notify_all();
    WriteUntil(lock, [this] { return underWay_.empty(); });
  } catch (...) {
    state_.skipped = std::move(skipped_);
    throw;
  }
  for (SkippedFile& folder : lastFolders) skipped_.push_back(std::move(folder));
  state_.skipped = std::move(skipped_);
  if (walkFailure) std::rethrow_exception(walkFailure);
}

void Harvest::Visit(const FilePlace& place) {
  try {
    auto job = std::make_unique<FileJob>();
    job->path = place.path;
    job->skippedBefore = std::move(state_.skipped);
    state_.skipped.clear();
    if (place.folder != nullptr && place.folder->IsOpen()) {
      job->name = *place.name;
      job->folder = state_.files.Duplicate(*place.folder, place.path);
    }
    FileJob& queued = *job;
    {
      std::unique_lock lock(mutex_);
      WriteUntil(lock, [this] { return underWay_.size() < window_; });
      underWay_.push_back(std::move(job));
      waiting_.push_back(&queued);
    }
    fileWaits_.notify_one();
  } catch (...) {
    writerFailed_ = true;
    throw;
  }
}

template <typename Done>
void Harvest::WriteUntil(std::unique_lock<std::mutex>& lock, Done done) {
  for (;;) {
    if (WriteNext(lock)) continue;
    if (done()) return;
    outputReady_.wait(lock);
  }
}

bool Harvest::WriteNext(std::unique_lock<std::mutex>& lock) {
  if (underWay_.empty()) return false;
  FileJob& next = *underWay_.front();
  if (!next.batches.empty()) {
    const Batch batch = std::move(next.batches.front());
    next.batches.pop_front();
    lock.unlock();
    batchTaken_.notify_all();
    StartFile(next);
    WriteBatch(batch);
    lock.lock();
    return true;
  }
  if (!next.finished) return false;
  std::unique_ptr<FileJob> done = std::move(underWay_.front());
  underWay_.pop_front();
  lock.unlock();
  FinishFile(*done);
  done.reset();
  lock.lock();
  return true;
}

void Harvest::WriteBatch(const Batch& batch) {
  std::size_t begin = 0;
  for (const std::size_t end : batch.ends) {
    const std::string_view address = std::string_view(batch.bytes).substr(begin, end - begin);
    state_.windows.SetCaption(StatusLabel::kMail, address);
    state_.output.WriteLine(address);
    state_.addressesFound = CheckedAdd(state_.addressesFound, std::int32_t{1});
    begin = end;
  }
  state_.windows.Yield();
}

void Harvest::StartFile(FileJob& job) {
  if (job.started) return;
  job.started = true;
  for (SkippedFile& folder : job.skippedBefore) skipped_.push_back(std::move(folder));
  if (!job.caption.empty()) state_.windows.SetCaption(StatusLabel::kProc, job.caption);
}

void Harvest::FinishFile(FileJob& job) {
  StartFile(job);
  for (const Message& message : job.messages)
    state_.windows.ShowMessage(message.text, message.style, message.title);
  if (job.failure) std::rethrow_exception(job.failure);
  for (SkippedFile& file : job.skipped) skipped_.push_back(std::move(file));
  if (sources_ != nullptr) sources_->AddFile(job.path, job.findings);
  state_.windows.Yield();
}

void Harvest::Work(Worker& worker) {
  for (;;) {
    FileJob* job;
    {
      std::unique_lock lock(mutex_);
      fileWaits_.wait(lock, [this] { return stopped_ || walkEnded_ || !waiting_.empty(); });
      if (stopped_ || waiting_.empty()) return;
      job = waiting_.front();
      waiting_.pop_front();
    }
    worker.job = job;
    worker.windows.Attach(*job);
    try {
      const FilePlace place = job->folder.IsOpen() ? FilePlace(job->path, job->folder, job->name)
                                                   : FilePlace(job->path);
      ScanFile(place, worker.state);
      if (!worker.batch.Empty()) HandOver(*job, worker.batch);
    } catch (const Abandoned&) {
      return;
    } catch (...) {
      job->failure = std::current_exception();
      worker.batch = Batch{};
    }
    job->skipped = std::move(worker.state.skipped);
    worker.state.skipped.clear();
    job->folder = OpenFolder();
    {
      std::lock_guard lock(mutex_);
      job->finished = true;
    }
    outputReady_.notify_one();
  }
}

void Harvest::HandOver(FileJob& job, Batch& batch) {
  {
    std::unique_lock lock(mutex_);
    batchTaken_.wait(lock, [&] { return stopped_ || job.batches.size() < kBatchesPerFile; });
    if (stopped_) throw Abandoned{};
    job.batches.push_back(std::move(batch));
  }
  batch = Batch{};
  outputReady_.notify_one();
}

}  // namespace

void HarvestInParallel(std::string& folder, ExtractionState& state, int jobs,
                       SourcesTable* sources) {
  Harvest harvest(state, jobs, sources);
  harvest.Run(folder);
}

}  // namespace ondrel
