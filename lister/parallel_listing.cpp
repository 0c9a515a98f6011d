// quelt-ls -j: files listed on threads, printed in their order.
#include "lister/parallel_listing.h"

#include <cstdlib>
#include <utility>

#include "companion/console.h"

namespace {
// As many listings wait or run at once, per thread: a thread that finishes
// while the oldest listing still runs has the next one to start.
constexpr std::size_t slotsPerThread = 2;

// The text listing puts a blank line between two files' listings. A thread
// lists its file as though it came first: the line goes before its first
// standard output, its heading, once a listing printed before it.
void separateFromBefore(HeldText& text) {
    for (auto& piece : text.pieces) {
        if (!piece.first) {
            piece.second.insert(0, "\n");
            return;
        }
    }
}
}  // namespace

int listingJobsOf(const char* value) {
    if (value == nullptr) {
        const unsigned cores = std::thread::hardware_concurrency();
        return cores == 0 ? 1 : cores > maxListingJobs ? maxListingJobs : static_cast<int>(cores);
    }
    char* end = nullptr;
    const long jobs = std::strtol(value, &end, 10);
    const bool whole = end != value && *end == '\0' && value[0] != '-' && value[0] != '+';
    return whole && jobs >= 1 && jobs <= maxListingJobs ? static_cast<int>(jobs) : 0;
}

struct ParallelListing::Slot {
    explicit Slot(Listing what) : listing(std::move(what)) {}

    Listing listing;
    HeldText text;
    int listed = 0;
    int status = allD88;
    bool started = false;
    bool done = false;
};

ParallelListing::ParallelListing(ListingRun& run, int jobs)
    : run_(run), window_(slotsPerThread * static_cast<std::size_t>(jobs)) {
    for (int i = 0; jobs > 1 && i < jobs; ++i) {
        workers_.emplace_back([this] { work(); });
    }
}

ParallelListing::~ParallelListing() {
    finish();
}

void ParallelListing::add(Listing listing) {
    if (workers_.empty()) {
        listing(run_);
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    while (slots_.size() >= window_) {
        printOldest(lock);
    }
    slots_.push_back(std::make_shared<Slot>(std::move(listing)));
    lock.unlock();
    changed_.notify_all();
}

void ParallelListing::finish() {
    if (workers_.empty()) {
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    while (!slots_.empty()) {
        printOldest(lock);
    }
    closing_ = true;
    lock.unlock();
    changed_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
    workers_.clear();
}

// A thread's loop: its own run (its own image, its own counts, its text held
// in the slot it lists), one listing after another, until the run closes.
void ParallelListing::work() {
    ListingRun mine;
    mine.options = run_.options;
    mine.headings = run_.headings;
    mine.opener = run_.opener;
    while (std::shared_ptr<Slot> slot = nextToRun()) {
        mine.listed = 0;
        mine.status = allD88;
        mine.text = RunText(slot->text);
        slot->listing(mine);
        mine.text = RunText();
        std::lock_guard<std::mutex> lock(mutex_);
        slot->listed = mine.listed;
        slot->status = mine.status;
        slot->done = true;
        changed_.notify_all();
    }
}

// The oldest listing no thread has started; null once the run closes.
std::shared_ptr<ParallelListing::Slot> ParallelListing::nextToRun() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        for (const std::shared_ptr<Slot>& slot : slots_) {
            if (!slot->started) {
                slot->started = true;
                return slot;
            }
        }
        if (closing_) {
            return nullptr;
        }
        changed_.wait(lock);
    }
}

// Waits for the oldest listing to be done and prints it, unlocked meanwhile
// so that the threads go on.
void ParallelListing::printOldest(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return slots_.front()->done; });
    const std::shared_ptr<Slot> oldest = slots_.front();
    slots_.pop_front();
    lock.unlock();
    if (run_.options.form == ListingForm::text && run_.listed > 0 && oldest->listed > 0) {
        separateFromBefore(oldest->text);
    }
    writeHeldText(oldest->text);
    run_.listed += oldest->listed;
    run_.noteStatus(oldest->status);
    lock.lock();
}
