// The course of one saver session, apart from any window: its stages (created, active, ended) and
// the tick schedule of the pictures. The saver window feeds it activations, ticks and the end;
// it answers what each of them may still do, so that nothing of a session runs twice or after
// its end, whatever the desktop sends.
#pragma once

#include <cstdint>

enum class TSessionStage : uint8_t { Created, Active, Ended };

class TSessionCourse {
public:
  // Ticks before the first picture: it comes on the 21st tick handled.
  static constexpr int32_t FirstCount = 20;
  // A picture stays for the new count + 1 ticks: 61 to 90.
  static constexpr int32_t CountBase = 60;
  static constexpr int32_t CountSpread = 30;

  TSessionStage Stage() const { return FStage; }
  bool Ended() const { return FStage == TSessionStage::Ended; }

  // The window became the application's active form. True only the first time in a session:
  // getting the activation back from a prompt, a message box or another program's window is no
  // new activation, and an ended session starts nothing.
  bool Activate();
  // The session ends. True only the first time: the teardown runs once.
  bool End();

  // The count set when the window is created.
  void StartCountDown() { FTicksLeft = FirstCount; }
  // One tick: counts down and answers false, or answers true when the count has run out and the
  // picture is to change. An ended session changes nothing.
  bool Tick();
  // A picture change sets the next count from a draw of 0 to CountSpread - 1.
  void SetNextCount(int32_t draw) { FTicksLeft = CountBase + draw; }

private:
  TSessionStage FStage = TSessionStage::Created;
  int32_t FTicksLeft = 0;
};
