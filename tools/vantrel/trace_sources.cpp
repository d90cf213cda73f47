// The trace names besides the values: the plug-in's camera and the game's side of the hooks.

#include "trace_sources.h"

#include <cmath>

#include "plugin/plugin.h"
#include "sim_world.h"
#include "world_edits.h"

namespace {

constexpr double kDegreesPerRadian = 180 / 3.14159265358979323846;

void Copy(const float* from, int count, double* out) {
  for (int i = 0; i < count; ++i) out[i] = from[i];
}

void Position(const GameSide&, double* out) {
  float position[3];
  Plugin::Instance().controller.GetPosition(position);
  Copy(position, 3, out);
}

void Rotation(const GameSide&, double* out) {
  float rotation[9];
  Plugin::Instance().controller.GetRotation(rotation);
  Copy(rotation, 9, out);
}

void Look(const GameSide& game, double* out) { Copy(game.receivedLook.data(), 2, out); }

void GameYaw(const GameSide&, double* out) {
  const HostCameraState* state = Sim().CurrentCameraState();
  out[0] = state ? state->yaw * kDegreesPerRadian : NAN;
}

void GamePitch(const GameSide&, double* out) {
  const HostCameraState* state = Sim().CurrentCameraState();
  out[0] = state ? state->pitch * kDegreesPerRadian : NAN;
}

void GamePosition(const GameSide&, double* out) {
  const HostCamera* camera = Sim().playerCamera;
  for (int i = 0; i < 3; ++i) out[i] = camera ? camera->position[i] : NAN;
}

void HeadTrack(const GameSide&, double* out) {
  const HostActor* actor = FollowedActor();
  const HostAiProcess* process = actor ? actor->aiProcess : nullptr;
  const bool tracked = process && process->headTrackActive;
  for (int i = 0; i < 3; ++i) out[i] = tracked ? process->headTrackPoint[i] : NAN;
}

void PitchLimits(const GameSide& game, double* out) {
  for (int i = 0; i < 2; ++i) {
    out[i] = game.usedPitchLimits ? (*game.usedPitchLimits)[i] * kDegreesPerRadian : NAN;
  }
}

void GameFov(const GameSide&, double* out) {
  out[0] = Sim().playerCamera ? Sim().playerCamera->fieldOfView : NAN;
}

void GameNearClip(const GameSide&, double* out) { out[0] = Sim().nearClip; }

void Refreshes(const GameSide& game, double* out) { out[0] = game.refreshes; }

void Queue(const GameSide&, double* out) {
  const QueuedTurns turns = Plugin::Instance().controller.RemainingTurns();
  Copy(turns.left, 2, out);
}

constexpr TraceSource kSources[] = {
    {"position", "x,y,z", "the camera's position, as the plug-in computed it", Position},
    {"rotation", "0,1,2,3,4,5,6,7,8",
     "the camera's rotation as the plug-in computed it, row by row", Rotation},
    {"look", "x,y", "the look input the game got back at hook 26, horizontal and vertical", Look},
    {"gameyaw", "", "the game camera state's yaw after hook 3, in degrees", GameYaw},
    {"gamepitch", "", "the game camera state's pitch after hook 3, in degrees", GamePitch},
    {"gameposition", "x,y,z", "where the game camera draws from", GamePosition},
    {"headtrack", "x,y,z", "the point the followed actor's head tracking holds; empty for none",
     HeadTrack},
    {"pitchlimits", "min,max", "the limits the game clamped the followed actor's pitch to, degrees",
     PitchLimits},
    {"gamefov", "", "the game camera's field of view", GameFov},
    {"gamenearclip", "", "the game's near clip", GameNearClip},
    {"refreshes", "", "projection refresh branches taken at hook 17 so far", Refreshes},
    {"queue", "x,y", "look-input units the queued rotations still have to add, per axis", Queue},
};

}  // namespace

std::span<const TraceSource> TraceSources() { return kSources; }

const TraceSource* FindTraceSource(std::string_view name) {
  for (const TraceSource& source : kSources) {
    if (name == source.name) return &source;
  }
  return nullptr;
}

std::vector<std::string> TraceColumnNames(const TraceSource& source) {
  const std::string_view columns = source.columns;
  if (columns.empty()) return {source.name};
  std::vector<std::string> names;
  size_t at = 0;
  while (at <= columns.size()) {
    const size_t comma = std::min(columns.find(',', at), columns.size());
    names.push_back(std::string(source.name) + "." + std::string(columns.substr(at, comma - at)));
    at = comma + 1;
  }
  return names;
}
