// Stages and tick schedule of a saver session.
#include "saver/SessionCourse.h"

bool TSessionCourse::Activate() {
  if (FStage != TSessionStage::Created) return false;
  FStage = TSessionStage::Active;
  return true;
}

bool TSessionCourse::End() {
  if (FStage == TSessionStage::Ended) return false;
  FStage = TSessionStage::Ended;
  return true;
}

bool TSessionCourse::Tick() {
  if (FStage == TSessionStage::Ended) return false;
  if (FTicksLeft > 0) {
    --FTicksLeft;
    return false;
  }
  return true;
}
