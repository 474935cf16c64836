// artgen: draws every picture of the game.
// Usage: artgen ATLAS_SOURCE_DIR DATA_DIR DOCS_DIR [SCALE]
//        artgen --awards DATA_DIR DOCS_DIR (only the tutorial and award pictures)
//        artgen --bonus DATA_DIR SCALE   (the bonus animations only)
//        artgen --waves DATA_DIR         (the map's pond ripples only)
// Small pictures go to ATLAS_SOURCE_DIR under their game names (atlaspack packs them into
// DATA_DIR), large ones straight into DATA_DIR, the contact sheet into DOCS_DIR. The game ships
// SCALE 1 only; SCALE 2 is for trying large desktops out and belongs in a scratch DATA_DIR.

#include "Animals.h"
#include "AwardArt.h"
#include "Backgrounds.h"
#include "BoardUi.h"
#include "BonusArt.h"
#include "Buildings.h"
#include "Cells.h"
#include "Characters.h"
#include "ContactSheet.h"
#include "EditorArt.h"
#include "Map.h"
#include "MapWaves.h"
#include "Output.h"
#include "Paint.h"
#include "Pieces.h"
#include "UiKit.h"
#include "UpgradePanel.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc > 3 && std::string(argv[1]) == "--preview") {
        std::vector<std::string> files(argv + 4, argv + argc);
        ContactSheet::preview(argv[2], std::atof(argv[3]), files);
        return 0;
    }
    // Only the separate bonus and vehicle animations, without touching the atlas pictures.
    if (argc > 3 && std::string(argv[1]) == "--bonus") {
        Paint::setScale(std::atoi(argv[3]));
        Output::setRoots("", argv[2], "");
        BonusArt::generate();
        return 0;
    }
    // Only the upgrade panel's pictures, which sit beside the atlases: artgen --upgrade-panel DATA_DIR
    if (argc == 3 && std::string(argv[1]) == "--upgrade-panel") {
        Output::setRoots(argv[2], argv[2], argv[2]);
        UpgradePanel::generate();
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--waves") {
        Output::setRoots(argv[2], argv[2], argv[2]);
        MapWaves::generate();
        return 0;
    }
    if (argc == 4 && std::string(argv[1]) == "--awards") {
        Output::setRoots(argv[2], argv[2], argv[3]);
        AwardArt::generate();
        return 0;
    }
    // Only the level editor's separate pictures: artgen --editor DATA_DIR SCALE
    if (argc > 3 && std::string(argv[1]) == "--editor") {
        Paint::setScale(std::atoi(argv[3]));
        Output::setRoots("", argv[2], "");
        EditorArt::generate();
        return 0;
    }
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s ATLAS_SOURCE_DIR DATA_DIR DOCS_DIR [SCALE]\n", argv[0]);
        return 2;
    }
    try {
        const int scale = argc > 4 ? std::atoi(argv[4]) : 1;
        Paint::setScale(scale);
        Output::setRoots(argv[1], argv[2], argv[3]);
        Pieces::generate();
        Cells::generate();
        BoardUi::generate();
        BonusArt::generate();
        UiKit::generate();
        UpgradePanel::generate();
        Backgrounds::generate();
        Buildings::generate();
        Map::generate();
        MapWaves::generate();
        Characters::generate();
        Animals::generate();
        AwardArt::generate();
        EditorArt::generate();
        if (scale == 1) {
            ContactSheet::generate();
            Characters::contactSheet();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
