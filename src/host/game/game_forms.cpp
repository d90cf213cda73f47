// Forms, references and the host's run-time type check.
#include "host/game/addresses.h"
#include "host/game/host_call.h"
#include "host/host.h"

HostForm* HostRefAsForm(HostRef* ref) { return reinterpret_cast<HostForm*>(ref); }
HostRef* HostActorAsRef(HostActor* actor) { return reinterpret_cast<HostRef*>(actor); }
HostForm* HostKeywordAsForm(HostKeyword* keyword) { return reinterpret_cast<HostForm*>(keyword); }

HostForm* HostLookupFormById(uint32_t formId) {
  return CallPlain<HostForm*>(GameForm::HostLookupFormById, formId);
}

namespace {

template <typename T>
T* CastFromForm(HostForm* form, uint32_t toType) {
  return CallPlain<T*>(GameForm::HostDynamicCast, form, 0u, HostTypeDescriptor::HostTypeForm,
                       toType, 0u);
}

}  // namespace

HostRef* HostCastToReference(HostForm* form) {
  return CastFromForm<HostRef>(form, HostTypeDescriptor::HostTypeReference);
}
HostActor* HostCastToActor(HostForm* form) {
  return CastFromForm<HostActor>(form, HostTypeDescriptor::HostTypeActor);
}
HostConditionForm* HostCastToConditionForm(HostForm* form) {
  return CastFromForm<HostConditionForm>(form, HostTypeDescriptor::HostTypeConditionForm);
}
HostKeyword* HostCastToKeyword(HostForm* form) {
  return CastFromForm<HostKeyword>(form, HostTypeDescriptor::HostTypeKeyword);
}
HostHandItem* HostCastToHandItem(HostForm* form) {
  return CastFromForm<HostHandItem>(form, HostTypeDescriptor::HostTypeHandItem);
}

uint32_t HostFormId(HostForm* form) { return ReadField<uint32_t>(form, GameForm::formId); }
uint8_t HostFormType(HostForm* form) { return ReadField<uint8_t>(form, GameForm::formType); }
const char* HostKeywordEditorName(HostForm* keyword) {
  return FieldObject<const char>(keyword, GameForm::editorName);
}

float HostRefRotationX(HostRef* ref) { return ReadField<float>(ref, GameReference::rotationX); }
float HostRefRotationZ(HostRef* ref) { return ReadField<float>(ref, GameReference::rotationZ); }
HostLoaded3D* HostRefLoaded3D(HostRef* ref) {
  return FieldObject<HostLoaded3D>(ref, GameReference::loaded3D);
}
HostNode* HostLoaded3DRootNode(HostLoaded3D* loaded) {
  return FieldObject<HostNode>(loaded, GameLoaded3D::rootNode);
}
HostForm* HostRefBaseForm(HostRef* ref) {
  return FieldObject<HostForm>(ref, GameReference::baseForm);
}
HostCell* HostRefParentCell(HostRef* ref) {
  return FieldObject<HostCell>(ref, GameReference::parentCell);
}
uint8_t HostCellFlags(HostCell* cell) { return ReadField<uint8_t>(cell, GameCell::flags); }

HostRef* HostLookupRefByHandle(uint32_t handle) {
  uint32_t handleSlot = handle;
  HostRef* ref = nullptr;
  CallSaved(GameReference::HostLookupRefByHandle, nullptr, Word(&handleSlot), Word(&ref));
  return ref;
}

void HostReleaseRef(HostRef* ref) {
  HostRef* slot = ref;
  CallSaved(GameReference::HostReleaseRef, nullptr, Word(&slot));
}

uint32_t HostInvalidRefHandle() { return ReadGlobal<uint32_t>(GameGlobal::HostInvalidRefHandle); }
