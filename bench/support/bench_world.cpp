// The configurations and the simulated world the benchmarks and the instruction counts share.

#include "bench_world.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

#include "config/loader.h"
#include "plugin/plugin.h"
#include "sim_world.h"

namespace {

// Each holds in the world of ResetWorld.
constexpr const char* kHoldingConditions[] = {
    "(bWalking)",           "(iCameraState != 99)",   "(sRace ~ Argonian)",
    "(fFOV < 1000)",        "(bSneaking == false)",   "(bDialogue == false)",
    "(bHeadtrack == true)",        "(bWeaponOut != true)",
};
constexpr int kHoldingKinds = sizeof(kHoldingConditions) / sizeof(kHoldingConditions[0]);

std::string Header(float updateInterval) {
  char interval[32];
  std::snprintf(interval, sizeof interval, "%g", updateInterval);
  return std::string("!Set bEnabled true\n!Set bActivated true\n!Set fUpdateProfileInterval ") +
         interval +
         "\n!Set fPositionOffsetDepth 8\n!Set bHeadtrack true\n!BindKey 90 0 Zoom 3\n"
         "ResetTween fFOV 0.5\n";
}

// Root > COM > pelvis with two legs; spine > spine1 > spine2 with weapons, two arms of five
// three-bone fingers, and last the neck > head > eye bone.
void BuildDeepSkeleton(HostRef* ref) {
  SimWorld& world = Sim();
  HostNode* root = world.AddNode(nullptr, "NPC Root [Root]");
  HostNode* com = world.AddNode(root, "NPC COM [COM ]", {0, 0, 70});
  HostNode* pelvis = world.AddNode(com, "NPC Pelvis [Pelv]", {0, 0, 68});
  for (const char* side : {"L", "R"}) {
    HostNode* node = pelvis;
    for (const char* bone : {"Thigh", "Calf", "Foot", "Toe0"}) {
      node = world.AddNode(node, std::string("NPC ") + side + " " + bone);
    }
  }
  world.AddNode(pelvis, "WeaponSword");
  world.AddNode(pelvis, "WeaponDagger");
  HostNode* spine = world.AddNode(com, "NPC Spine [Spn0]", {0, 0, 80});
  HostNode* spine1 = world.AddNode(spine, "NPC Spine1 [Spn1]", {0, 0, 88});
  HostNode* spine2 = world.AddNode(spine1, "NPC Spine2 [Spn2]", {0, 0, 95});
  world.AddNode(spine2, "WeaponBack");
  world.AddNode(spine2, "ShieldBack");
  world.AddNode(spine2, "QUIVER");
  for (const char* side : {"L", "R"}) {
    HostNode* node = spine2;
    for (const char* bone : {"Clavicle", "UpperArm", "Forearm", "Hand"}) {
      node = world.AddNode(node, std::string("NPC ") + side + " " + bone);
    }
    for (const char* finger : {"Thumb", "Finger1", "Finger2", "Finger3", "Finger4"}) {
      HostNode* joint = node;
      for (int part = 0; part < 3; ++part) {
        joint =
            world.AddNode(joint, std::string("NPC ") + side + " " + finger + std::to_string(part));
      }
    }
  }
  HostNode* neck = world.AddNode(spine2, "NPC Neck [Neck]", {0, 0, 110});
  HostNode* head = world.AddNode(neck, "NPC Head [Head]", {0, 0, 120});
  world.AddNode(head, "NPCEyeBone", {0, 6, 124});
  ref->loaded3D->root = root;
}

}  // namespace

std::string AllHoldingConfiguration(int profiles, int conditionsPerProfile,
                                    float updateInterval) {
  std::string text = Header(updateInterval);
  int kind = 0;
  for (int i = 0; i < profiles; ++i) {
    const bool exclusive = i == profiles - 1;
    text +=
        (exclusive ? "[Profile " : "{Profile ") + std::to_string(i) + (exclusive ? "]\n" : "}\n");
    for (int c = 0; c < conditionsPerProfile; ++c) {
      text += kHoldingConditions[kind];
      text += '\n';
      kind = (kind + 1) % kHoldingKinds;
    }
    text += "SetTween fFOV " + std::to_string(60 + i % 30) + " 0.3\n-ReturnTween fFOV 0.3\n";
  }
  text += "[Zoom]\nSetTween fFOV 40 0.3\n";
  return text;
}

std::string GeneratedConfiguration(int profiles, LineEnd lineEnd) {
  std::string text =
      "; generated\n!Set bEnabled true\n!Set fUpdateProfileInterval 0.25\n"
      "ResetTween fFOV 0.5\n";
  for (int i = 0; i < profiles; ++i) {
    const std::string n = std::to_string(i);
    text += (i % 5 == 0 ? "{Parallel " : "[Profile ") + n + (i % 5 == 0 ? "}\n" : "]\n");
    text += "; profile " + n + " reacts to the character's state and the camera\n";
    text += "(bWeaponOut)\n(iCameraState == " + std::to_string(i % 12) + ")\n";
    text += "(fFOV <= " + std::to_string(60 + i % 40) + ".5)\n(sRace ~ Argonian" + n + ")\n";
    text += "(Keyword != ActorTypeNPC)\n(bSneaking != false)\n";
    text += "SetTween fFOV " + std::to_string(70 + i % 20) + " 0.75\n";
    text += "Set fPositionOffsetDepth " + std::to_string(i % 16) + ".25\n";
    text += "ModifyTween fRotationFromHead -0.1 0.5\n";
    text += "-ReturnTween fFOV 0.5\n-Return fPositionOffsetDepth\n";
    text += "BindKey2 0x" + std::to_string(70 + i % 20) + " 1 \"Profile " + n + "\" 0.5\n";
    text += "RotateX 15 0.5 1\nSetProfile \"Profile " + n + "\" 2\nInhibit Profile" + n + " 3\n";
    text += "SendAnimEvent IdleStop\n";
  }
  if (lineEnd == LineEnd::Lf) return text;
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

namespace {

// One mistake of each kind the rules look for, in turn; # is a parallel profile's number.
constexpr const char* kLintMistakes[] = {
    "Set bHeadtrack on\n",
    "(iCameraState == 08)\n",
    "Set bWeaponOut true\n",
    "!Set fFOV 90\n",
    "Reset fNearClip\n-Return fNearClip\n",
    "(bSneaking)\n(bSneaking == false)\n",
    "SetProfile \"Overlay #\"\n",
    "BindKey 113 0 \"Overlay #\"\nBindKey2 113 1 \"Overlay #\"\n",
    "Set fFov2 90\n",
    "Set fNearClip 5 ; closer\n",
};

std::string Numbered(std::string text, const std::string& n) {
  for (size_t at = text.find('#'); at != std::string::npos; at = text.find('#', at + n.size())) {
    text.replace(at, 1, n);
  }
  return text;
}

}  // namespace

std::string LintBenchConfiguration(size_t bytes) {
  std::string text =
      "; generated for lint\n!Set bEnabled true\n!Set fUpdateProfileInterval 0.25\n"
      "BindKey 112 0 \"Combat 1\"\n";
  for (int i = 0; i < 5; ++i) text += "SetProfile \"Combta " + std::to_string(i * 7 + 1) + "\"\n";
  for (int i = 0; text.size() < bytes; ++i) {
    const std::string n = std::to_string(i);
    const bool parallel = i % 5 == 0;
    text += parallel ? "{Overlay " + n + "}\n" : "[Combat " + n + "]\n";
    text += "; profile " + n + " reacts to the character's state and the camera\n";
    text += "(bWeaponOut)\n(iCameraState == " + std::to_string(i % 12) + ")\n";
    text += "(fFOV <= " + std::to_string(60 + i % 40) + ".5)\n(sRace ~ Argonian" + n + ")\n";
    text += "(Keyword != ActorTypeNPC)\n";
    text += "SetTween fFOV " + std::to_string(70 + i % 20) + " 0.75\n";
    text += "Set fPositionOffsetDepth " + std::to_string(i % 16) + ".25\n";
    text += "-ReturnTween fFOV 0.5\n-Return fPositionOffsetDepth\n";
    text += "BindKey2 " + std::to_string(114 + i % 8) + " 1 \"Overlay " + std::to_string(i - i % 5) +
            "\" 0.5\n";
    text += "RotateX 15 0.5 1\nInhibit \"Combat " + std::to_string(i - i % 5 + 1) + "\" 3\n";
    text += "SendAnimEvent IdleStop\n";
    if (i % 10 == 9) {
      text += Numbered(kLintMistakes[(i / 10) % std::size(kLintMistakes)], std::to_string(i - 4));
    }
  }
  return text;
}

std::string KeyBindingConfiguration(int bindings) {
  std::string text = "!Set bEnabled true\n";
  for (int key = 1; key <= bindings; ++key) {
    text += "!BindKey " + std::to_string(key) + " 0 Target\n";
  }
  text += "[Target]\nSet fFOV 70\n";
  return text;
}

void ResetWorld() {
  SimWorld& world = Sim();
  world.Reset();
  auto* player = static_cast<HostActor*>(world.player);
  player->stateFlags |= 0x40;  // walking
  player->race = world.Race("DarkElfRaceVampire");
  BuildDeepSkeleton(player);
  world.OpenMenu("Tutorial Menu Overlay");
}

void StartPlugin(const std::string& configuration) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("vantrel_bench_" + std::to_string(::getpid()) + ".txt"))
                               .string();
  std::ofstream(path, std::ios::binary) << configuration;
  ResetWorld();
  Plugin::Instance().Reset();
  SetConfigurationPath(path);
  Plugin::Instance().InitializeOrReload();
  std::filesystem::remove(path);
}

void Settle(int frames) {
  for (int i = 0; i < frames; ++i) Plugin::Instance().RunFrame();
}

int EvaluatedConditionsPerPass(int profiles, int conditionsPerProfile) {
  Plugin& plugin = Plugin::Instance();
  const char* fault = "no configuration is loaded";
  plugin.WithSession([&](const Session& session) {
    fault = nullptr;
    if (!plugin.controller.IsHeadCameraActive()) fault = "the head camera is not active";
    // The default profile comes first, then the file's profiles.
    if (session.currentProfile != &session.profiles[profiles]) {
      fault = "the last profile is not the current one";
    }
    for (int i = 1; i < profiles; ++i) {
      if (!session.profiles[i].active) fault = "a parallel profile is not active";
    }
  });
  if (fault) {
    std::fprintf(stderr, "bench: the configuration does not hold as designed: %s\n", fault);
    std::abort();
  }
  return profiles * conditionsPerProfile;
}

size_t PlainReadAndTrim(const std::string& text) {
  std::istringstream input(text);
  std::string line;
  size_t kept = 0;
  while (std::getline(input, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    kept += line.find_last_not_of(" \t") + 1 - first;
  }
  return kept;
}

void LoadInto(Session& session, const std::string& text) {
  session.loading = true;
  LoadConfigurationText(session, text);
  session.loading = false;
}
