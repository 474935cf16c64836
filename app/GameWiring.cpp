#include "app/GameWiring.h"

#include "app/LevelScreens.h"
#include "app/MapTips.h"
#include "game/development/DevelopmentView.h"
#include "game/development/MapScreen.h"
#include "game/shell/FrontEnd.h"

void wireGame() {
    // The map outlives every screen it opens: the factory lives as long as the program.
    static cLevelScreenFactory levelScreens;
    cDevelopmentView::setLevelScreenFactory(&levelScreens);
    static cMapTips mapTips;
    cDevelopmentView::setMapTips(&mapTips);
    FrontEnd::setMapFactory([]() -> IMapScreen* { return new cMapScreen(); });
}
