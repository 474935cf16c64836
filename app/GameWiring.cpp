#include "app/GameWiring.h"

#include "game/development/MapScreen.h"
#include "game/shell/FrontEnd.h"

void wireGame() {
    FrontEnd::setMapFactory([]() -> IMapScreen* { return new cMapScreen(); });
}
