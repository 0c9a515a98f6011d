#ifndef QUELT_LISTER_PARALLEL_LISTING_H
#define QUELT_LISTER_PARALLEL_LISTING_H

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "lister/list_file.h"

// quelt-ls's files listed on threads (-j N), printed in the order they were
// handed in, byte for byte as one thread prints them. Each listing runs on a
// thread's own ListingRun, whose text channel holds its text back
// (companion/run_text.h); the thread that hands the listings in prints each
// once those before it are printed. At most twice N listings wait or run at
// once, so memory is bounded by N whatever the count of files.
class ParallelListing {
public:
    // One listing: a file, or a message in its place among the files.
    using Listing = std::function<void(ListingRun&)>;

    // Lists into `run` (its counts and status) on `jobs` threads; with 1, each
    // listing runs at once on the caller's thread, as without threads.
    ParallelListing(ListingRun& run, int jobs);
    // Prints what is left (see finish).
    ~ParallelListing();
    ParallelListing(const ParallelListing&) = delete;
    ParallelListing& operator=(const ParallelListing&) = delete;

    // Hands `listing` in; waits while the window of listings is full.
    void add(Listing listing);
    // Waits for every listing handed in, prints them, and ends the threads.
    void finish();

private:
    struct Slot;
    void work();
    std::shared_ptr<Slot> nextToRun();
    void printOldest(std::unique_lock<std::mutex>& lock);

    ListingRun& run_;
    std::size_t window_;
    std::deque<std::shared_ptr<Slot>> slots_;  // in the order handed in
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool closing_ = false;
};

// The threads -j VALUE asks for, from 1 to maxListingJobs; without a value
// (null), one per core. 0 when VALUE is not such a count.
constexpr int maxListingJobs = 256;
int listingJobsOf(const char* value);

#endif
