#include "app/ImitationRegisters.h"

#include "app/LiftRegisters.h"

void ApplyToRegisters(const TImitationResult& result, const TLiftControls& controls, RegisterImage& image) {
  const unsigned changed = result.ChangedGroups;
  if (changed & kModeGroup) UpdateModeRegister(image, controls);
  if (changed & kFloorGroup) UpdateFloorRegister(image, controls);
  if (changed & kStateGroup) UpdateStateRegister(image, controls);
  if (changed & kAlarmGroup) UpdateAlarmRegister(image, controls);
  if (changed & kLiftBreakGroup) UpdateFaultRegisters(image, controls);
}
