// The hooks on several game threads at once: no deadlock, no torn view, no lost turn.

#include "hook_threads.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "fake_game.h"
#include "fake_host.h"
#include "host/game/addresses.h"
#include "site_runner.h"

namespace {

constexpr int kFrames = 600;
constexpr int kLeastRuns = 20;  // of each other thread, however fast the frames go
constexpr int kMostRuns = 20000;
constexpr DWORD kTimeLimitMs = 240000;
constexpr float kLimit = 80 * 0.017453f;  // the default vertical look limit, in radians

struct Site {
  uint32_t address, end;
};
#define SITE(name) \
  Site { Hook##name::site, Hook##name::end }
constexpr Site kCamera = SITE(RestrictAndOverrideView);
constexpr Site kFrameView = SITE(OverrideViewOfFrame);
constexpr Site kLookInput = SITE(LookInput);
constexpr Site kClampEnter = SITE(PitchClampEnter);
constexpr Site kPitchLimits = SITE(PitchLimits);
constexpr Site kClampExit = SITE(PitchClampExit);
constexpr Site kFocusPick = SITE(FocusPick);
constexpr Site kFocusPickEnd = SITE(FocusPickEnd);
#undef SITE

struct View {
  float position[3];
  float rotation[9];
};

// One game thread's stack and memory; the registers point into the memory.
class ThreadBench {
 public:
  CpuState Input() {
    CpuState in{};
    in.eax = Memory(0x100);
    in.ebp = Memory(0x500);
    in.esi = Memory(0x600);
    in.esp = stack_.Top() - 0x1000;
    in.eflags = 0x202;
    return in;
  }
  uint32_t Memory(uint32_t offset) { return reinterpret_cast<uint32_t>(memory_) + offset; }
  void Zero(uint32_t address, size_t size) {
    std::memset(reinterpret_cast<void*>(address), 0, size);
  }

  // Runs the patched site; counts it as failed unless it comes back at its end.
  bool Run(const Site& site, const CpuState& in) {
    CpuState out{};
    RunSite(site.address, &in, &out);
    ++runs;
    const bool back = out.reached == site.end;
    failures += !back;
    return back;
  }

  int runs = 0;
  int failures = 0;

 private:
  GameStack stack_;
  alignas(16) uint8_t memory_[0x2000];
};

// What the frame site hands over after a frame, on the frame's own thread.
View FrameView(ThreadBench& bench) {
  CpuState in = bench.Input();
  bench.Run(kFrameView, in);
  View view;
  std::memcpy(view.position, reinterpret_cast<void*>(in.ebp + 0x20), sizeof view.position);
  std::memcpy(view.rotation, reinterpret_cast<void*>(in.ebp + 0xBC), sizeof view.rotation);
  return view;
}

View CameraView(ThreadBench& bench) {
  CpuState in = bench.Input();
  const uint32_t rotation = bench.Memory(0x1000);
  bench.Zero(in.esi, 0x100);  // position, yaw and pitch: 0 is left alone by the restriction
  bench.Zero(rotation, sizeof(View::rotation));
  Poke<uint32_t>(in.esp + 0x2C, rotation);
  bench.Run(kCamera, in);
  View view;
  std::memcpy(view.position, reinterpret_cast<void*>(in.esi + 0x20), sizeof view.position);
  std::memcpy(view.rotation, reinterpret_cast<void*>(rotation), sizeof view.rotation);
  return view;
}

float LookInput(ThreadBench& bench) {
  CpuState in = bench.Input();
  bench.Zero(in.esi, 8);
  bench.Run(kLookInput, in);
  return Peek<float>(in.esi);
}

bool PitchClamp(ThreadBench& bench) {
  CpuState in = bench.Input();
  Poke<uint32_t>(in.esi + 0x0C, 0x14);  // the player
  bench.Run(kClampEnter, bench.Input());
  bench.Run(kPitchLimits, in);
  const bool limited = Peek<float>(in.esp + 8) == -kLimit && Peek<float>(in.esp + 4) == kLimit;
  bench.Run(kClampExit, bench.Input());
  return limited;
}

void FocusPick(ThreadBench& bench) {
  CpuState in = bench.Input();
  const float point[3] = {10, 20, 30};
  std::memcpy(reinterpret_cast<void*>(in.esp + 0x3C), point, sizeof point);
  bench.Run(kFocusPick, in);
  bench.Run(kFocusPickEnd, bench.Input());
}

bool SameView(const View& a, const View& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Workers {
  std::atomic<bool> go{false};
  std::atomic<bool> framesDone{false};
  std::atomic<int> finished{0};

  bool KeepGoing(int runs) const { return runs < kMostRuns && (!framesDone || runs < kLeastRuns); }
  void Wait() const {
    while (!go) Sleep(0);
  }
};

}  // namespace

int RunHooksOnThreads(PluginWorld& world) {
  std::vector<std::string> failures;
  if (!world.Reload("!Set bActivated true\n!Set iDebug 1\n", "[Turn]\n(bWeaponOut)\nRotateX 1\n")) {
    std::printf("threads: FAILED the configuration did not load\n");
    return 1;
  }
  const size_t mark = world.ConsoleLines();
  Workers workers;
  ThreadBench frameBench, cameraBench, lookBench, clampBench, pickBench;
  std::vector<View> frameViews = {FrameView(frameBench)};  // before the first threaded frame
  std::vector<View> cameraViews;
  int badFrames = 0, badLimits = 0;
  float delivered = 0;

  std::vector<std::thread> threads;
  threads.emplace_back([&] {
    workers.Wait();
    for (int k = 1; k <= kFrames; ++k) {
      PlaceHead(200.0f + k, 0.5f + 0.01f * k);
      SetPlayerStateWord(k / 4 % 2 ? 0x60 : 0);  // the weapon goes in and out: [Turn] switches
      badFrames += !world.Frame();
      frameViews.push_back(FrameView(frameBench));
    }
    workers.framesDone = true;
    ++workers.finished;
  });
  threads.emplace_back([&] {
    workers.Wait();
    while (workers.KeepGoing(cameraBench.runs)) cameraViews.push_back(CameraView(cameraBench));
    ++workers.finished;
  });
  threads.emplace_back([&] {
    workers.Wait();
    while (workers.KeepGoing(lookBench.runs)) delivered += LookInput(lookBench);
    ++workers.finished;
  });
  threads.emplace_back([&] {
    workers.Wait();
    while (workers.KeepGoing(clampBench.runs / 3)) badLimits += !PitchClamp(clampBench);
    ++workers.finished;
  });
  threads.emplace_back([&] {
    workers.Wait();
    while (workers.KeepGoing(pickBench.runs / 2)) FocusPick(pickBench);
    ++workers.finished;
  });

  const DWORD start = GetTickCount();
  workers.go = true;
  while (workers.finished < static_cast<int>(threads.size())) {
    if (GetTickCount() - start > kTimeLimitMs) {
      std::printf("threads: FAILED not done within %lu s: a deadlock?\n", kTimeLimitMs / 1000);
      std::fflush(stdout);
      _exit(1);
    }
    Sleep(20);
  }
  for (std::thread& thread : threads) thread.join();

  // What is still queued reaches the look input at the next frame and look.
  badFrames += !world.Frame();
  delivered += LookInput(lookBench);
  const std::string turnLine = "Vantrel(DEBUG): Changed profile from __Default to Turn.";
  int turns = 0;
  for (size_t i = mark; i < fakeHost.consoleLines.size(); ++i)
    turns += fakeHost.consoleLines[i] == turnLine;

  std::map<float, size_t> frameAt;
  for (size_t k = 0; k < frameViews.size(); ++k) frameAt[frameViews[k].position[0]] = k;
  int torn = 0, unknown = 0;
  for (const View& view : cameraViews) {
    const auto found = frameAt.find(view.position[0]);
    if (found == frameAt.end()) {
      ++unknown;
    } else if (!SameView(view, frameViews[found->second])) {
      ++torn;
    }
  }

  const int badRuns = frameBench.failures + cameraBench.failures + lookBench.failures +
                      clampBench.failures + pickBench.failures;
  if (badFrames) failures.push_back(std::to_string(badFrames) + " frames did not come back");
  if (badRuns) failures.push_back(std::to_string(badRuns) + " site runs did not come back");
  if (torn) failures.push_back(std::to_string(torn) + " camera views of two frames");
  if (unknown) failures.push_back(std::to_string(unknown) + " camera views of no frame");
  if (badLimits) failures.push_back(std::to_string(badLimits) + " wrong pitch limits");
  if (turns == 0) failures.push_back("no queued turn");
  if (delivered != static_cast<float>(turns)) {
    failures.push_back(std::to_string(turns) + " turns queued, " + std::to_string(delivered) +
                       " delivered to the look input");
  }

  PlaceHead(200, 0.5f);
  SetPlayerStateWord(0);
  if (failures.empty()) {
    std::printf("threads: ok (%d frames; %d camera, %d look, %d clamp and %d pick runs)\n", kFrames,
                cameraBench.runs, lookBench.runs, clampBench.runs / 3, pickBench.runs / 2);
    return 0;
  }
  for (const std::string& failure : failures) std::printf("threads: FAILED %s\n", failure.c_str());
  return static_cast<int>(failures.size());
}
