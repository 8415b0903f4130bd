#include "controls/input_actions.h"

namespace {
constexpr ActionKind D = ActionKind::Direction, B = ActionKind::Button, O = ActionKind::Other;

const InputAction kActions[kActionCount] = {
    {"P1_JOYSTICK_UP", "Player 1 Up", "W", D, "UP"},
    {"P1_JOYSTICK_DOWN", "Player 1 Down", "S", D, "DOWN"},
    {"P1_JOYSTICK_LEFT", "Player 1 Left", "A", D, "LEFT"},
    {"P1_JOYSTICK_RIGHT", "Player 1 Right", "D", D, "RIGHT"},
    {"P1_BUTTON1", "Player 1 Button 1", "4PAD", B, "LCONTROL"},
    {"P1_BUTTON2", "Player 1 Button 2", "5PAD", B, "LALT"},
    {"P1_BUTTON3", "Player 1 Button 3", "6PAD", B, "SPACE"},
    {"P1_BUTTON4", "Player 1 Button 4", "1PAD", B, "LSHIFT"},
    {"P1_BUTTON5", "Player 1 Button 5", "2PAD", B, "Z"},
    {"P1_BUTTON6", "Player 1 Button 6", "3PAD", B, "X"},
    {"P2_JOYSTICK_UP", "Player 2 Up", "UP", D, "R"},
    {"P2_JOYSTICK_DOWN", "Player 2 Down", "DOWN", D, "F"},
    {"P2_JOYSTICK_LEFT", "Player 2 Left", "LEFT", D, "D"},
    {"P2_JOYSTICK_RIGHT", "Player 2 Right", "RIGHT", D, "G"},
    {"P2_BUTTON1", "Player 2 Button 1", "U", B, "A"},
    {"P2_BUTTON2", "Player 2 Button 2", "I", B, "S"},
    {"P2_BUTTON3", "Player 2 Button 3", "O", B, "Q"},
    {"P2_BUTTON4", "Player 2 Button 4", "J", B, "W"},
    {"P2_BUTTON5", "Player 2 Button 5", "K", B, "E"},
    {"P2_BUTTON6", "Player 2 Button 6", "L", B, ""},
    {"START1", "Player 1 Start", "ENTER", O, "1"},
    {"START2", "Player 2 Start", "Y", O, "2"},
    {"COIN1", "Coin 1", "RSHIFT", O, "5"},
    {"COIN2", "Coin 2", "H", O, "6"},
    {"SERVICE", "Service / Test", "F2", O, "F2"},
};
}  // namespace

const InputAction& ActionAt(int index) { return kActions[index]; }

int FindActionByPort(std::string_view port) {
  for (int i = 0; i < kActionCount; ++i)
    if (port == kActions[i].port) return i;
  return -1;
}

bool IsDirection(int index) { return index >= 0 && index < kActionCount && kActions[index].kind == D; }

bool IsAutofireButton(int index) { return (index >= 4 && index <= 9) || (index >= 14 && index <= 19); }

int PlayerOfAction(int index) { return (index <= 9 || index == 20 || index == 22) ? 1 : 2; }

int ButtonNumberOf(int index) { return index % 10 - 3; }
