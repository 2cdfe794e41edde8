#include "engine/harvest.h"

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

// Bytes of addresses a reader gathers before it hands them over.
constexpr std::size_t kBatchBytes = std::size_t{1} << 16;
// Batches of one file handed over and not yet written: a reader whose file is not the next
// to be written waits when it has this many.
constexpr std::size_t kBatchesPerFile = 2;
// Files under way (waiting, being read, or read and not yet written) per reader.
constexpr std::size_t kFilesPerReader = 4;

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

// One selected file, from the walk through a reader thread to the output.
struct FileJob {
  std::string path;
  std::string name;   // in `folder`, when that is open
  OpenFolder folder;  // the folder the walk listed, held open until the file is read
  // Handed over by the reader and taken by the writer, under the harvest's lock.
  std::deque<Batch> batches;
  bool finished = false;
  // Written by the reader alone; read by the writer once `finished` is set, or once it has
  // taken a batch, for what the scan showed, which it shows before it finds anything.
  bool shown = false;                // the scan began
  bool converted = false;            // a text copy of the store file was made
  std::exception_ptr failure;        // a failure of the run, met in this file
  std::vector<SkippedFile> skipped;  // this file, when it could not be read
  FileFindings findings;
  // The walk's, taken when the file is queued: the folders it could not read before this file.
  std::vector<SkippedFile> skippedBefore;
  bool started = false;  // the writer's own: it has begun to write this file
  bool here = false;     // read by the calling thread, not by a reader
};

// Thrown in a reader thread to abandon its file once the run has ended.
struct Abandoned {};

class Harvest {
 public:
  Harvest(ScanState& state, LineWriter& output, std::int32_t& addressesFound, int jobs,
          SourcesTable* sources);
  ~Harvest();
  Harvest(const Harvest&) = delete;
  Harvest& operator=(const Harvest&) = delete;

  void Run(std::string& folder);

 private:
  // A reader thread's scanning state: what its scans show is kept with the file, for the
  // writer to show in walk order, and the addresses they find are handed over in batches.
  struct Reader final : HarvestProgress, AddressSink {
    Reader(Harvest& harvest, const ScanState& run)
        : harvest(harvest), state(run.fileKind, *this, run.files, run.excluded) {}

    void ShowFile(const std::string&) override { job->shown = true; }
    void ShowConversion(const std::string&) override { job->converted = true; }
    void ShowAddress(std::string_view) override {}
    void Yield() override;
    void BeginLines(std::string_view lines) override;
    void EndLines() override;
    void Found(std::string_view address) override;

    Harvest& harvest;
    ScanState state;
    FileJob* job = nullptr;
    Batch batch;
  };

  // The addresses of a file read on the calling thread, written as they are found.
  class DirectWriter final : public AddressSink {
   public:
    DirectWriter(Harvest& harvest, FileFindings* findings)
        : harvest_(harvest), findings_(findings) {}
    void BeginLines(std::string_view lines) override {
      if (findings_ != nullptr) findings_->BeginLines(lines);
    }
    void EndLines() override {
      if (findings_ != nullptr) findings_->EndLines();
    }
    void Found(std::string_view address) override {
      if (findings_ != nullptr) findings_->Found(address);
      harvest_.WriteAddress(address);
    }

   private:
    Harvest& harvest_;
    FileFindings* findings_;
  };

  // The walk's side: reads the file here, or queues it for a reader thread, writing what is
  // ready meanwhile.
  void Visit(const FilePlace& place);
  void ReadHere(const FilePlace& place);
  void Queue(const FilePlace& place);
  // What every address goes through, on the calling thread.
  void WriteAddress(std::string_view address);
  // What every file ends with, on the calling thread.
  void EndFile(const std::string& path, const FileFindings& findings);

  // Writes what is ready, in walk order, until `done` holds and nothing more is ready.
  template <typename Done>
  void WriteUntil(std::unique_lock<std::mutex>& lock, Done done);
  // Writes the next batch, or ends the next file, if it is ready, or reads it when it is the
  // calling thread's own; false if nothing is ready.
  bool WriteNext(std::unique_lock<std::mutex>& lock);
  // Reads a file of the calling thread's share, when it is the next to be written.
  void ReadJobHere(FileJob& job);
  // Begins the writing of `job`: what the walk met before it is noted, and what its scan
  // showed is shown (the yield of its first address paints it).
  void StartFile(FileJob& job);
  void FinishFile(FileJob& job);

  // The reader threads' side.
  void Work(Reader& reader);
  void HandOver(FileJob& job, Batch& batch);
  void Stop();

  ScanState& state_;
  ScanState hereState_;  // the calling thread's, for the files it reads beside the readers
  LineWriter& output_;
  std::int32_t& addressesFound_;
  SourcesTable* sources_;
  const std::size_t window_;
  std::size_t queued_ = 0;     // files queued so far
  bool writerFailed_ = false;  // the walk thread only
  // What could not be read, in walk order, as far as the output is written (reader threads).
  std::vector<SkippedFile> skipped_;

  std::mutex mutex_;
  std::condition_variable fileWaits_;              // a file waits for a reader, or the walk ended
  std::condition_variable batchTaken_;             // a reader may hand over again
  std::condition_variable outputReady_;            // a batch was handed over or a file finished
  std::deque<std::unique_ptr<FileJob>> underWay_;  // in walk order
  std::deque<FileJob*> waiting_;                   // not taken by a reader yet
  bool walkEnded_ = false;
  bool stopped_ = false;

  std::mutex tempNames_;  // the source of temporary names serves one caller at a time
  // One less than the jobs: the calling thread is a reader too. None: it reads every file as
  // the walk meets it.
  std::vector<std::unique_ptr<Reader>> readers_;
  std::vector<std::thread> threads_;
};

void Harvest::Reader::Yield() {
  std::lock_guard lock(harvest.mutex_);
  if (harvest.stopped_) throw Abandoned{};
}

void Harvest::Reader::BeginLines(std::string_view lines) {
  if (harvest.sources_ != nullptr) job->findings.BeginLines(lines);
}

void Harvest::Reader::EndLines() {
  if (harvest.sources_ != nullptr) job->findings.EndLines();
}

void Harvest::Reader::Found(std::string_view address) {
  if (harvest.sources_ != nullptr) job->findings.Found(address);
  batch.Add(address);
  if (batch.bytes.size() >= kBatchBytes) harvest.HandOver(*job, batch);
}

Harvest::Harvest(ScanState& state, LineWriter& output, std::int32_t& addressesFound, int jobs,
                 SourcesTable* sources)
    : state_(state),
      hereState_(state.fileKind, state.progress, state.files, state.excluded),
      output_(output),
      addressesFound_(addressesFound),
      sources_(sources),
      window_(kFilesPerReader * static_cast<std::size_t>(jobs < 1 ? 1 : jobs)) {
  // The calling thread's own copies come from the same source as the readers'.
  hereState_.newTempPath = [this] {
    std::lock_guard lock(tempNames_);
    return state_.newTempPath();
  };
  for (int i = 1; i < jobs; ++i) {
    readers_.push_back(std::make_unique<Reader>(*this, state_));
    readers_.back()->state.newTempPath = [this] {
      std::lock_guard lock(tempNames_);
      return state_.newTempPath();
    };
  }
}

Harvest::~Harvest() {
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
    for (auto& reader : readers_) threads_.emplace_back([this, &reader] { Work(*reader); });
  } catch (const std::system_error& error) {
    throw Failure(kFailureSystem,
                  "Impossibile avviare i thread di lettura dei file: " + std::string(error.what()));
  }
  const auto visit = [this](const FilePlace& place) { Visit(place); };
  if (readers_.empty()) return ScanFolderTree(folder, state_, visit);

  std::exception_ptr walkFailure;
  try {
    ScanFolderTree(folder, state_, visit);
  } catch (...) {
    if (writerFailed_) {
      // The run stops here, as it would with one reader, knowing only what came before.
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
  if (readers_.empty()) return ReadHere(place);
  try {
    Queue(place);
  } catch (...) {
    writerFailed_ = true;
    throw;
  }
}

// A file that cannot be read is noted in the walk's own list, in walk order.
void Harvest::ReadHere(const FilePlace& place) {
  FileFindings findings;
  DirectWriter writer(*this, sources_ != nullptr ? &findings : nullptr);
  ScanFile(place, state_, writer);
  EndFile(place.path, findings);
}

void Harvest::Queue(const FilePlace& place) {
  auto job = std::make_unique<FileJob>();
  job->path = place.path;
  job->skippedBefore = std::move(state_.skipped);
  state_.skipped.clear();
  if (place.folder != nullptr && place.folder->IsOpen()) {
    job->name = *place.name;
    job->folder = state_.files.Duplicate(*place.folder, place.path);
  }
  // Every so many files are the calling thread's own, read when their turn to be written
  // comes; the readers share the others.
  job->here = queued_++ % (readers_.size() + 1) == 0;
  FileJob& queued = *job;
  {
    std::unique_lock lock(mutex_);
    WriteUntil(lock, [this] { return underWay_.size() < window_; });
    underWay_.push_back(std::move(job));
    if (!queued.here) waiting_.push_back(&queued);
  }
  if (!queued.here) fileWaits_.notify_one();
}

void Harvest::WriteAddress(std::string_view address) {
  state_.progress.ShowAddress(address);
  state_.progress.Yield();
  output_.WriteLine(address);
  addressesFound_ = CheckedAdd(addressesFound_, std::int32_t{1});
}

void Harvest::EndFile(const std::string& path, const FileFindings& findings) {
  if (sources_ != nullptr) sources_->AddFile(path, findings);
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
  if (next.here) {
    std::unique_ptr<FileJob> job = std::move(underWay_.front());
    underWay_.pop_front();
    lock.unlock();
    ReadJobHere(*job);
    job.reset();
    lock.lock();
    return true;
  }
  if (!next.batches.empty()) {
    const Batch batch = std::move(next.batches.front());
    next.batches.pop_front();
    lock.unlock();
    batchTaken_.notify_all();
    StartFile(next);
    std::size_t begin = 0;
    for (const std::size_t end : batch.ends) {
      WriteAddress(std::string_view(batch.bytes).substr(begin, end - begin));
      begin = end;
    }
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

void Harvest::ReadJobHere(FileJob& job) {
  StartFile(job);
  const FilePlace place =
      job.folder.IsOpen() ? FilePlace(job.path, job.folder, job.name) : FilePlace(job.path);
  DirectWriter writer(*this, sources_ != nullptr ? &job.findings : nullptr);
  ScanFile(place, hereState_, writer);
  for (SkippedFile& file : hereState_.skipped) skipped_.push_back(std::move(file));
  hereState_.skipped.clear();
  EndFile(job.path, job.findings);
}

void Harvest::StartFile(FileJob& job) {
  if (job.started) return;
  job.started = true;
  for (SkippedFile& folder : job.skippedBefore) skipped_.push_back(std::move(folder));
  if (job.shown) state_.progress.ShowFile(job.path);
  if (job.converted) state_.progress.ShowConversion(job.path);
}

void Harvest::FinishFile(FileJob& job) {
  StartFile(job);
  if (job.failure) std::rethrow_exception(job.failure);
  for (SkippedFile& file : job.skipped) skipped_.push_back(std::move(file));
  EndFile(job.path, job.findings);
  // A file read on the calling thread yields as its scan begins; one read aside, when it is
  // written, so that a tree of files without addresses lets the windows work too.
  state_.progress.Yield();
}

void Harvest::Work(Reader& reader) {
  for (;;) {
    FileJob* job;
    {
      std::unique_lock lock(mutex_);
      fileWaits_.wait(lock, [this] { return stopped_ || walkEnded_ || !waiting_.empty(); });
      if (stopped_ || waiting_.empty()) return;
      job = waiting_.front();
      waiting_.pop_front();
    }
    reader.job = job;
    try {
      const FilePlace place = job->folder.IsOpen() ? FilePlace(job->path, job->folder, job->name)
                                                   : FilePlace(job->path);
      ScanFile(place, reader.state, reader);
      if (!reader.batch.Empty()) HandOver(*job, reader.batch);
    } catch (const Abandoned&) {
      return;
    } catch (...) {
      job->failure = std::current_exception();
      reader.batch = Batch{};
    }
    job->skipped = std::move(reader.state.skipped);
    reader.state.skipped.clear();
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

void HarvestTree(std::string& folder, ScanState& state, LineWriter& output,
                 std::int32_t& addressesFound, int jobs, SourcesTable* sources) {
  Harvest harvest(state, output, addressesFound, jobs, sources);
  harvest.Run(folder);
}

}  // namespace ondrel
