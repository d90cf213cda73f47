// Threads: one thread plays frames with look input and reloads every few dozen frames, while
// three others call, as fast as they can, every operation the hook stubs call plus
// GetPosition and GetRotation. Run under ThreadSanitizer (and AddressSanitizer, for use after
// free across reloads); a watchdog turns a deadlock into a failure.
//
//   thread_stress [FRAMES] [CONFIG]   (defaults: 3000, the soak.txt beside this file)
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "game_drive.h"
#include "sim_objects.h"

namespace {

constexpr int kHookThreads = 3;
constexpr int kFramesPerReload = 40;
// Far beyond any healthy run, even under a sanitizer on a loaded machine.
constexpr auto kDeadlockAfter = std::chrono::minutes(5);

class Watchdog {
 public:
  Watchdog()
      : thread_([this] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (!done_.wait_for(lock, kDeadlockAfter, [this] { return finished_; })) {
            std::fprintf(stderr, "thread_stress: no progress: deadlock\n");
            std::abort();
          }
        }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      finished_ = true;
    }
    done_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::optional<LongRun> run =
      StartLongRun("thread_stress", argc, argv, 3000, VANTREL_SOAK_CONFIG);
  if (!run) return 1;
  const int frames = run->count;
  const DriveCast& cast = run->cast;
  std::atomic<bool> stop{false};
  std::atomic<bool> hookFinite{true};
  std::atomic<long> hookCalls{0};
  int reloads = 0;
  {
    Watchdog watchdog;
    std::vector<std::thread> hooks;
    for (int i = 0; i < kHookThreads; ++i) {
      hooks.emplace_back([&, i] {
        std::mt19937 random(100 + i);
        HostCameraState state;  // each game thread works on its own camera state object
        state.id = 9 + i;
        while (!stop.load(std::memory_order_relaxed)) {
          if (!CallHookOperations(random, cast, &state)) hookFinite = false;
          ++hookCalls;
        }
      });
    }
    std::mt19937 random(1);
    for (int frame = 1; frame <= frames; ++frame) {
      ChangeWorld(random, cast);
      PlayFrame(static_cast<float>(random() % 9) - 4, static_cast<float>(random() % 5) - 2);
      if (frame % kFramesPerReload == 0) {
        RequestReload();
        ++reloads;
      }
    }
    stop = true;
    for (std::thread& hook : hooks) hook.join();
  }
  const std::string nonFinite = NonFiniteInGame();
  StopPlugin();
  std::printf("thread_stress: %d frames, %d reloads, %ld hook rounds on %d threads\n", frames,
              reloads, hookCalls.load(), kHookThreads);
  if (!hookFinite) return run->Fail("a hook handed the game a non-finite number");
  if (!nonFinite.empty()) return run->Fail(nonFinite);
  if (const std::string faults = ContractFaults(); !faults.empty()) return run->Fail(faults);
  if (LiveEngineStrings() != 0 || LiveReferences() != 0) return run->Fail("left after teardown");
  return 0;
}
