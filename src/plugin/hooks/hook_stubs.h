#pragma once
// The stubs of hook_stubs.S and the data words they jump, call and load through. A DLL can be
// relocated and PE has no PC-relative fix-ups, so game addresses are reached through these
// absolute words, which the hook table fills before it patches a site.

#include <cstdint>

extern "C" {
// One per hook row, in the table's order.
void SkipHeadTrackingEarlyStub();
void SkipHeadTrackingLateStub();
void RestrictAndOverrideViewStub();
void OverrideViewAfterCallStub();
void OverrideViewOfFrameStub();
void DismountStartStub();
void MountStartStub();
void SkipHostCameraSwitchStub();
void FaceCrosshairStateStub();
void FaceCrosshairArgumentStub();
void ZoomIntoFirstPersonStub();
void ZoomOutOfFirstPersonStub();
void ToggleFirstPersonStub();
void ToggleFirstPersonSeenStub();
void ZoomInSeenStub();
void FrameUpdateStub();
void ViewRefreshStub();
void ClearOffsetsAfterResetStub();
void ClearOffsetsAfterStore3CLateStub();
void ClearOffsetsAfterStore3CStub();
void ClearOffsetsAfterStore44Stub();
void ClearOffsetsAfterStore44EsiStub();
void ClearOffsetsOnReturnStub();
void FocusPickStub();
void FocusPickEndStub();
void LookInputStub();
void InputEventKindFourStub();
void HostQueryWhileHeadCameraStub();
void PitchLimitsStub();
void PitchClampEnterStub();
void PitchClampExitStub();
}

extern "C" {
extern uint32_t skipHeadTrackingEarlyResume, skipHeadTrackingEarlySkip;
extern uint32_t skipHeadTrackingLateResume, skipHeadTrackingLateSkip;
extern uint32_t restrictAndOverrideViewResume, restrictAndOverrideViewCall;
extern uint32_t overrideViewAfterCallResume, overrideViewAfterCallCall;
extern uint32_t overrideViewOfFrameResume;
extern uint32_t dismountStartResume;
extern uint32_t mountStartResume;
extern uint32_t skipHostCameraSwitchResume, skipHostCameraSwitchSkip;
extern uint32_t faceCrosshairStateResume;
extern uint32_t faceCrosshairArgumentResume;
extern uint32_t zoomIntoFirstPersonResume, zoomIntoFirstPersonCall;
extern uint32_t zoomOutOfFirstPersonResume;
extern uint32_t toggleFirstPersonResume, toggleFirstPersonSkip, toggleFirstPersonImmediate;
extern uint32_t toggleFirstPersonSeenResume;
extern uint32_t zoomInSeenResume, zoomInSeenCall;
extern uint32_t frameUpdateResume, frameUpdateOperand;
extern uint32_t viewRefreshResume, viewRefreshSkip;
extern uint32_t clearOffsetsAfterResetResume;
extern uint32_t clearOffsetsAfterStore3CLateResume;
extern uint32_t clearOffsetsAfterStore3CResume;
extern uint32_t clearOffsetsAfterStore44Resume;
extern uint32_t clearOffsetsAfterStore44EsiResume;
extern uint32_t focusPickResume, focusPickOperand;
extern uint32_t focusPickEndResume;
extern uint32_t lookInputResume, lookInputOperand;
extern uint32_t inputEventKindFourResume, inputEventKindFourSkip;
extern uint32_t hostQueryWhileHeadCameraResume, hostQueryWhileHeadCameraCall;
extern uint32_t pitchLimitsResume;
extern uint32_t pitchClampEnterResume;
extern uint32_t pitchClampExitResume;
}
