// The scenario checks: the "expect ..." directives.

#include "expectations.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "config/literals.h"
#include "plugin/plugin.h"
#include "plugin_session.h"
#include "profiles/driver.h"
#include "run_text.h"

namespace {

bool CloseTo(const float* got, const float* wanted, int count, float tolerance) {
  for (int i = 0; i < count; ++i) {
    if (!(std::fabs(got[i] - wanted[i]) <= tolerance)) return false;
  }
  return true;
}

}  // namespace

bool ExpectProfile(ScenarioRun& run, DirectiveArgs& args) {
  std::string got = "None";
  Plugin::Instance().WithSession([&](const Session& session) {
    if (session.currentProfile) got = session.currentProfile->name;
  });
  run.Check(got == args[2], "profile " + args[2], "profile " + got);
  return true;
}

bool ExpectParallel(ScenarioRun& run, DirectiveArgs& args) {
  const std::string& what = args[1];
  const std::string& name = args[2];
  std::optional<bool> active;  // set when the parallel profile exists
  Plugin::Instance().WithSession([&](Session& session) {
    const Profile* profile = FindProfile(session, name);
    if (profile && profile->type == ProfileType::Parallel) active = profile->active != 0;
  });
  if (!active) {
    run.Check(false, what + " " + name, "no parallel profile " + name);
    return true;
  }
  const bool wanted = what == "active";
  run.Check(*active == wanted, what + " " + name, (*active ? "active " : "inactive ") + name);
  return true;
}

bool ExpectValue(ScenarioRun& run, DirectiveArgs& args) {
  const std::string& name = args[2];
  const std::string& literal = args[3];
  Value* value = FindSessionValue(name);
  if (!value) return args.Fail("no value '" + name + "'");
  const ValueData got = ReadSessionValue(name);
  const std::string gotText = got.isSet ? ValueText(got) : "unset";
  if (literal == "unset") {
    run.Check(!got.isSet, name + " unset", name + " " + gotText);
    return true;
  }
  const ValueData wanted = ParseValueText(value->type, literal);
  if (!wanted.isSet) return args.Fail("'" + literal + "' is not a value of " + name + "'s type");
  bool equal = got.isSet && got.type == wanted.type;
  if (equal && wanted.type == ValueType::Float) {
    equal = std::fabs(got.AsFloat() - wanted.AsFloat()) <= 0.001f;
  } else if (equal && wanted.type == ValueType::String) {
    equal = got.text == wanted.text;
  } else if (equal) {
    equal = got.payload == wanted.payload;
  }
  run.Check(equal, name + " " + ValueText(wanted), name + " " + gotText);
  return true;
}

bool ExpectConsole(ScenarioRun& run, DirectiveArgs& args) {
  const std::string& text = args.line.rest;
  bool found = false;
  for (const std::string& shown : run.consoleSinceExpect) found = found || shown == text;
  std::string got = "no such line";
  if (!run.consoleSinceExpect.empty()) got = "'" + run.consoleSinceExpect.back() + "' last";
  run.Check(found, "console '" + text + "'", got);
  run.consoleSinceExpect.clear();
  return true;
}

bool ExpectNoConsole(ScenarioRun& run, DirectiveArgs& args) {
  const std::string text = TextAfterWords(args.line, 3);
  std::string got = "no such line";
  for (const std::string& shown : run.consoleShown) {
    if (shown.find(text) != std::string::npos) got = "'" + shown + "'";
  }
  run.Check(got == "no such line", "no console line with '" + text + "'", got);
  return true;
}

bool ExpectCameraActive(ScenarioRun& run, DirectiveArgs& args) {
  const bool active = Plugin::Instance().controller.IsHeadCameraActive();
  run.Check(active == (args[3] == "true"), "camera active " + args[3],
            std::string("camera active ") + BoolText(active));
  return true;
}

bool ExpectCameraVector(ScenarioRun& run, DirectiveArgs& args) {
  float wanted[3];
  if (!args.Point(3, wanted)) return false;
  float position[3];
  float rotation[9];
  Plugin::Instance().controller.GetPosition(position);
  Plugin::Instance().controller.GetRotation(rotation);
  const bool isPosition = args[2] == "position";
  const float got[3] = {isPosition ? position[0] : rotation[1],
                        isPosition ? position[1] : rotation[4],
                        isPosition ? position[2] : rotation[7]};
  run.Check(CloseTo(got, wanted, 3, isPosition ? 0.01f : 0.001f),
            "camera " + args[2] + " " + VectorText(wanted),
            "camera " + args[2] + " " + VectorText(got));
  return true;
}

bool ExpectFocus(ScenarioRun& run, DirectiveArgs& args) {
  const std::optional<Vector3>& focus = Plugin::Instance().controller.FocusPoint();
  const float point[3] = {focus ? focus->x : 0, focus ? focus->y : 0, focus ? focus->z : 0};
  const std::string got = focus ? "focus " + VectorText(point) : "no focus";
  if (args[2] == "none") {
    run.Check(!focus, "no focus", got);
    return true;
  }
  float wanted[3];
  if (!args.Point(2, wanted)) return false;
  run.Check(focus && CloseTo(point, wanted, 3, 0.01f), "focus " + VectorText(wanted), got);
  return true;
}

bool ExpectTarget(ScenarioRun& run, DirectiveArgs& args) {
  int32_t formId = 0;
  if (!args.Whole(2, formId)) return false;
  const uint32_t got = Plugin::Instance().controller.FollowedFormId();
  run.Check(got == static_cast<uint32_t>(formId),
            "target " + HexText(static_cast<uint32_t>(formId)), "target " + HexText(got));
  return true;
}
