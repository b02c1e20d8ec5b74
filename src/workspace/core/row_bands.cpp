#include "workspace/core/row_bands.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace qv {

namespace {

// Below this many pixels a pass is not worth waking the workers for.
constexpr long long kSmallPass = 1 << 16;
constexpr int kMostWorkers = 3;
// Small bands keep the threads evenly busy and leave little for a late one.
constexpr int kBandRows = 16;

thread_local bool insideBand = false;

// One pass: its bands are claimed one at a time by whichever thread is free.
struct Job {
    const std::function<void(int, int, int)>* work = nullptr;
    int top = 0, bottom = 0, bandRows = 1, bands = 0;
    std::atomic<int> next{0};
    std::atomic<int> finished{0};
    std::mutex mutex;
    std::exception_ptr failure;  // the first band that threw, guarded by mutex

    void Run(int slot) {
        insideBand = true;
        for (int b; (b = next.fetch_add(1)) < bands;) {
            const int first = top + b * bandRows;
            try {
                (*work)(slot, first, std::min(bottom, first + bandRows));
            } catch (...) {
                std::lock_guard lock(mutex);
                if (!failure) failure = std::current_exception();
            }
            finished.fetch_add(1, std::memory_order_release);
        }
        insideBand = false;
    }

    // Waits without sleeping (on a busy machine a sleeping thread can take far
    // longer to be woken than the bands take), then passes on a band's failure.
    void Wait() {
        while (finished.load(std::memory_order_acquire) < bands) std::this_thread::yield();
        std::lock_guard lock(mutex);
        if (failure) std::rethrow_exception(failure);
    }
};

class Pool {
  public:
    Pool() {
        const int cores = static_cast<int>(std::thread::hardware_concurrency());
        const int workers = std::clamp(cores - 1, 0, kMostWorkers);
        for (int i = 0; i < workers; ++i) threads_.emplace_back([this, i] { Serve(i + 1); });
    }
    ~Pool() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        for (std::thread& t : threads_) t.join();
    }

    int Slots() const { return static_cast<int>(threads_.size()) + 1; }

    // Hands the job to every worker; a worker that comes late finds no band left
    // and never touches the job's work.
    void Offer(const std::shared_ptr<Job>& job) {
        {
            std::lock_guard lock(mutex_);
            job_ = job;
            ++generation_;
        }
        wake_.notify_all();
    }

  private:
    void Serve(int slot) {
        std::uint64_t seen = 0;
        for (;;) {
            std::shared_ptr<Job> job;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
                if (stop_) return;
                seen = generation_;
                job = job_;
            }
            job->Run(slot);
        }
    }

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::shared_ptr<Job> job_;
    std::uint64_t generation_ = 0;
    bool stop_ = false;
};

Pool& ThePool() {
    static Pool pool;
    return pool;
}

}  // namespace

int RowBandSlots() {
    return ThePool().Slots();
}

void ForEachRowBand(int top, int bottom, long long pixelsPerRow,
                    const std::function<void(int slot, int first, int last)>& work) {
    if (bottom <= top) return;
    const int rows = bottom - top;
    Pool& pool = ThePool();
    if (insideBand || pool.Slots() == 1 || rows * pixelsPerRow < kSmallPass) {
        work(0, top, bottom);
        return;
    }
    auto job = std::make_shared<Job>();
    job->work = &work;
    job->top = top;
    job->bottom = bottom;
    job->bandRows = kBandRows;
    job->bands = (rows + kBandRows - 1) / kBandRows;
    pool.Offer(job);
    job->Run(0);
    job->Wait();
}

bool ForEachPolledColumnBand(int left, int right, int width,
                             const std::function<bool()>& cancelled,
                             const std::function<void(int first, int last)>& work) {
    for (int first = left; first < right; first += width) {
        int last = std::min(right, first + width);
        bool stop = false;
        for (int x = first; cancelled && x < last; ++x) {
            if (cancelled()) {
                last = x + 1;
                stop = true;
                break;
            }
        }
        work(first, last);
        if (stop) return false;
    }
    return true;
}

}  // namespace qv
