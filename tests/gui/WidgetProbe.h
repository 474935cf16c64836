#pragma once

// Widgets that count their hooks, for the toolkit's tests.

#include "engine/core/FrameRegistry.h"
#include "engine/gui/Sprite.h"
#include "engine/gui/Widget.h"

#include <string>

template <class Base> class Probe : public Base {
public:
    using Base::Base;
    void onShow() override {
        ++shows;
        Base::onShow();
    }
    void onHide() override {
        ++hides;
        Base::onHide();
    }
    void startProcessing() override {
        ++starts;
        Base::startProcessing();
    }
    void process() override {
        ++processed;
        Base::process();
    }
    void onUpdate() override {
        ++updated;
        Base::onUpdate();
    }
    bool processing() const { return Engine::isInProcessList(this); }
    bool updating() const { return Engine::isInUpdateList(this); }

    int shows = 0, hides = 0, starts = 0, processed = 0, updated = 0;
};

using WidgetProbe = Probe<Engine::cWidget>;
using SpriteProbe = Probe<Engine::cSprite>;
