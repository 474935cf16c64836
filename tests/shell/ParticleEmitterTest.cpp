#include "game/shell/ParticleEmitter.h"
#include "engine/core/Random.h"
#include "engine/core/WidgetSets.h"
#include "game/shell/ParticleSprite.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

class ParticleTest : public ::testing::Test {
protected:
    ParticleTest() : ui(0.25f) {}
    void SetUp() override {
        ui.start();
        randomSeed(11);
    }

    UiHarness ui;
};

} // namespace

TEST_F(ParticleTest, SecondHalfOfTheLifeFadesAndGrows) {
    auto* particle = new cParticleSprite(nullptr);
    particle->setSize(cVector2(10, 10));
    particle->setStartSize(cVector2(10, 10));
    particle->setEndSize(cVector2(30, 20));
    particle->setLifeTime(2);
    particle->setSpeed(cVector2(4, 0));
    particle->setGravity(cVector2(0, 8));
    particle->show();
    particle->enable();
    const struct {
        float alpha, width, height;
        bool dead;
    } table[] = {
        {1, 10, 10, false},        {1, 10, 10, false},    {1, 10, 10, false},        {1, 10, 10, false}, // age 1
        {0.75f, 15, 12.5f, false}, {0.5f, 20, 15, false}, {0.25f, 25, 17.5f, false}, {0, 30, 20, false}, // age 2
        {0, 35, 22.5f, true}, // past its life: dead, handed over by its emitter
    };
    for (const auto& row : table) {
        ui.step();
        EXPECT_FLOAT_EQ(particle->getAlpha(), row.alpha);
        EXPECT_FLOAT_EQ(particle->getSize().x, row.width);
        EXPECT_FLOAT_EQ(particle->getSize().y, row.height);
        EXPECT_EQ(particle->isDead(), row.dead);
    }
    // Speed grows by the gravity before each move.
    EXPECT_FLOAT_EQ(particle->getPosition().x, 4 * 9 * 0.25f);
    EXPECT_FLOAT_EQ(particle->getSpeed().y, 8 * 9 * 0.25f);
    delete particle;
}

TEST_F(ParticleTest, NoLifeTimeIsDeadAtOnceWithoutNaN) {
    auto* particle = new cParticleSprite(nullptr);
    particle->show();
    particle->enable();
    ui.step();
    EXPECT_TRUE(particle->isDead());
    EXPECT_EQ(particle->getAlpha(), 0);
    EXPECT_FALSE(std::isnan(particle->getSize().x));
    delete particle;
}

namespace {

class EmitterTest : public ParticleTest {
protected:
    EmitterTest() {}
    // A prototype emitter as the development screen keeps it, and a started copy of it.
    cParticleEmitter* startCopy(const char* lifeTime, int maxCount) {
        ui.writeFile("dust.xml", std::string("<Dust Frequency=\"15\" size=\"8 8\" Speed=\"0 -20\" RandAngle=\"30\" "
                                             "LiveTime=\"") +
                                     lifeTime + "\" EffectTime=\"0.5\"/>");
        prototype = new cParticleEmitter(nullptr);
        prototype->loadXML(ui.layout("dust.xml"));
        auto* emitter = new cParticleEmitter(*prototype);
        emitter->setWidth(40);
        emitter->setOrigin(cVector2(500, 400));
        emitter->setMaxCount(maxCount);
        emitter->setEmitting(true);
        emitter->show();
        emitter->enable();
        return emitter;
    }
    void TearDown() override { delete prototype; }

    cParticleEmitter* prototype = nullptr;
};

} // namespace

TEST_F(EmitterTest, CountLimitedEmitsWholePeriodsPerFrameAndThenDeletesItself) {
    cParticleEmitter* emitter = startCopy("0.3 0.3", 5);
    EXPECT_FLOAT_EQ(emitter->getPeriod(), 1.0f / 15);
    std::vector<int> counts;
    for (int i = 0; i < 3; ++i) {
        ui.step();
        counts.push_back(emitter->getCount());
    }
    // 0.25 s frames at 15 per second: 3, then the last 2 of the 5.
    EXPECT_EQ(counts, (std::vector<int>{3, 5, 5}));
    EXPECT_FALSE(emitter->isEmitting());
    for (cSprite* particle : emitter->getParticles()) {
        EXPECT_LE(std::fabs(particle->getPosition().x - 500), 20.0f);
        EXPECT_GE(particle->getPosition().y, 400.0f - 20);
    }
    for (int i = 0; i < 4 && isWidgetAlive(emitter); ++i)
        ui.step();
    EXPECT_FALSE(isWidgetAlive(emitter)) << "deleted with its last particle";
}

TEST_F(EmitterTest, StillEmittingIsNotDeletedWhenItsListIsEmptyForAMoment) {
    // Particles that live less than a frame die in the frame after their birth.
    cParticleEmitter* emitter = startCopy("0.01 0.01", 1000);
    emitter->setEndless(true);
    ui.steps(4);
    EXPECT_TRUE(isWidgetAlive(emitter));
    emitter->setEndless(false);
    emitter->setMaxCount(0);
    ui.steps(3);
    EXPECT_FALSE(isWidgetAlive(emitter));
}

TEST_F(EmitterTest, TimeLimitedStopsAfterItsDuration) {
    cParticleEmitter* emitter = startCopy("5 5", 0);
    emitter->setMode(cEmitter::EMIT_TIME);
    emitter->setDuration(0.2f);
    ui.step();
    EXPECT_FALSE(emitter->isEmitting());
    EXPECT_EQ(emitter->getParticles().size(), 3u);
    deleteWidgetLater(emitter);
}

TEST_F(EmitterTest, ZeroWidthSpawnsAtTheOrigin) {
    cParticleEmitter* emitter = startCopy("5 5", 1);
    emitter->setWidth(0);
    ui.step();
    ASSERT_EQ(emitter->getParticles().size(), 1u);
    const cVector2 position = emitter->getParticles().front()->getPosition();
    EXPECT_FALSE(std::isnan(position.y));
    EXPECT_NEAR(position.x, 500, 6);
    deleteWidgetLater(emitter);
}

TEST_F(EmitterTest, WithoutDeathTestTheStepThrows) {
    cEmitter emitter(nullptr, nullptr, nullptr, 15);
    ui.step();
    try {
        emitter.process();
        FAIL();
    } catch (const char* text) {
        EXPECT_STREQ(text, "Not set destroy verification function.");
    }
}
