#include "game/shell/FrontEnd.h"

#include "engine/core/Log.h"

namespace FrontEnd {

namespace {

struct tHooks {
    tMapFactory mapFactory;
    IMapScreen* map = nullptr;
    tNewUserDialog newUser;
    tSelectUserDialog selectUser;
    tAwardsDialog awards;
    tTutorialStarter tutorial;
};

tHooks& hooks() {
    static tHooks instance;
    return instance;
}

} // namespace

void note(const std::string& text) {
    try {
        if (Engine::ILog* log = Engine::getLog())
            log->getChannel(L"error", false)->write("%s", text.c_str());
    } catch (...) {
        // The note is a courtesy: a log that cannot be opened must not stop the game.
    }
}

void setMapFactory(tMapFactory factory) {
    hooks().mapFactory = std::move(factory);
}

IMapScreen* getMap() {
    return hooks().map;
}

IMapScreen* createMap() {
    tHooks& h = hooks();
    if (h.map)
        return h.map;
    if (!h.mapFactory) {
        note("The map between levels is not part of this program: the menu stays open.");
        return nullptr;
    }
    h.map = h.mapFactory();
    return h.map;
}

void destroyMap() {
    IMapScreen* map = hooks().map;
    hooks().map = nullptr;
    delete map;
}

void setNewUserDialog(tNewUserDialog dialog) {
    hooks().newUser = std::move(dialog);
}
void setSelectUserDialog(tSelectUserDialog dialog) {
    hooks().selectUser = std::move(dialog);
}
void setAwardsDialog(tAwardsDialog dialog) {
    hooks().awards = std::move(dialog);
}
void setTutorialStarter(tTutorialStarter starter) {
    hooks().tutorial = std::move(starter);
}

bool openNewUserDialog(std::function<void()> done) {
    if (!hooks().newUser) {
        note("The new-player dialog is not part of this program.");
        return false;
    }
    hooks().newUser(std::move(done));
    return true;
}

bool openSelectUserDialog(std::function<void()> chosen, std::function<void()> cancelled) {
    if (!hooks().selectUser) {
        note("The player list is not part of this program.");
        return false;
    }
    hooks().selectUser(std::move(chosen), std::move(cancelled));
    return true;
}

bool openAwardsDialog(std::function<void()> closed) {
    if (!hooks().awards) {
        note("The awards are not part of this program.");
        return false;
    }
    hooks().awards(std::move(closed));
    return true;
}

bool startTutorial() {
    if (!hooks().tutorial)
        return false;
    hooks().tutorial();
    return true;
}

void clearHooks() {
    tHooks& h = hooks();
    h.mapFactory = nullptr;
    h.newUser = nullptr;
    h.selectUser = nullptr;
    h.awards = nullptr;
    h.tutorial = nullptr;
}

} // namespace FrontEnd
