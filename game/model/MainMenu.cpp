#include "game/model/MainMenu.h"

namespace GameServices {
namespace {

IMainMenu* s_mainMenu = nullptr;
bool s_quitting = false;

} // namespace

IMainMenu* getMainMenu() { return s_mainMenu; }
void setMainMenu(IMainMenu* menu) { s_mainMenu = menu; }
bool& quittingFlag() { return s_quitting; }

} // namespace GameServices
