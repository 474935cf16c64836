// The particle-effect widget's timing, its layout groups and its lifetime, over a fake particle
// library that records what the widget asks of it.

#include "engine/gui/PyroEffect.h"

#include "engine/core/String.h"
#include "engine/core/System.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Background.h"
#include "engine/media/ParticleLibrary.h"
#include "engine/media/PyroFileStream.h"
#include "engine/platform/headless/RecordingRenderDevice.h"
#include "tests/support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace Engine;
using TestSupport::UiHarness;

namespace {

struct Step {
    float time, step;
    float x, y;
};

class FakeEffect : public IParticleEffectInstance {
public:
    void setScale(float value) override { scale = value; }
    void setPosition(float x, float y, float) override {
        drawX = x;
        drawY = y;
    }
    void render() override { ++renders; }
    void advanceTime(float time, float step) override { times.push_back({time, step, 0, 0}); }
    void update(float time, float step, float x, float y, float, int) override {
        updates.push_back({time, step, x, y});
    }

    std::vector<Step> times, updates;
    float scale = 0, drawX = 0, drawY = 0;
    int renders = 0;
};

class FakeEmitter : public IParticleEmitter {
public:
    explicit FakeEmitter(uint32_t id) : m_id(id) {}
    uint32_t getId() const override { return m_id; }

private:
    uint32_t m_id;
};

class FakeFile : public IParticleFile {
public:
    explicit FakeFile(uint32_t id) : emitter(id) {}
    void prepare() override { ++prepares; }
    void unprepare() override { ++unprepares; }
    size_t getEmitterCount() const override { return 1; }
    IParticleEmitter* getEmitter(size_t index) override { return index == 0 ? &emitter : nullptr; }

    FakeEmitter emitter;
    int prepares = 0, unprepares = 0;
};

class FakeLibrary : public IParticleLibrary {
public:
    ~FakeLibrary() override {
        for (FakeFile* file : files)
            delete file;
        for (FakeEffect* effect : effects)
            delete effect;
    }
    IParticleFile* loadFile(IPyroFileStream& stream, const std::string& name) override {
        char byte = 0;
        stream.read(&byte, 1);
        loads.push_back(name + ":" + byte);
        auto* file = new FakeFile(uint32_t(files.size() + 1));
        files.insert(file);
        return file;
    }
    void destroyFile(IParticleFile* file) override {
        ++destroyedFiles;
        files.erase(static_cast<FakeFile*>(file));
        delete file;
    }
    IParticleEffectInstance* createEffect(uint32_t) override {
        if (refuse)
            return nullptr;
        auto* effect = new FakeEffect;
        effects.insert(effect);
        ++created;
        return effect;
    }
    void destroyEffect(IParticleEffectInstance* effect) override {
        ASSERT_EQ(effects.erase(static_cast<FakeEffect*>(effect)), 1u) << "not a live effect";
        delete effect;
    }
    uint32_t getQuadCapacity() const override { return 100; }
    void setGraphicsDevice(IPyroGraphicsDevice*) override {}

    std::vector<std::string> loads;
    std::set<FakeFile*> files;
    std::set<FakeEffect*> effects;
    int created = 0, destroyedFiles = 0;
    bool refuse = false;
};

int g_finished = 0;
void* g_finishedData = nullptr;
void onFinished(void* data) {
    ++g_finished;
    g_finishedData = data;
}

class PyroEffectTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_finished = 0;
        g_finishedData = nullptr;
        ui.writeFile("fx/a.pfx", "A");
        ui.writeFile("fx/b.pfx", "B");
        ui.start();
        ui.graphics().setParticleLibrary(&library);
    }
    // An effect loaded from one element with these attributes.
    cPyroEffect* load(const std::string& attributes, cWidget* parent = nullptr) {
        const std::string name = "e" + std::to_string(m_files++) + ".xml";
        ui.writeFile(name, "<E Visible=\"1\" Enable=\"1\" pyro_file=\"fx/a.pfx\" " + attributes + "/>");
        auto* effect = new cPyroEffect(parent, name);
        if (!parent)
            m_owned.emplace_back(effect);
        return effect;
    }
    static FakeEffect& fake(const cPyroEffect* effect) { return *static_cast<FakeEffect*>(effect->getEffect()); }
    static float total(const std::vector<Step>& steps) {
        float sum = 0;
        for (const Step& step : steps)
            sum += step.step;
        return sum;
    }

    // The library outlives the harness, which gives the shared files back to it.
    FakeLibrary library;
    UiHarness ui;
    std::vector<std::unique_ptr<cWidget>> m_owned;
    int m_files = 0;
};

} // namespace

TEST_F(PyroEffectTest, LoadReadsItsKeysAndMakesOneInstanceOfEmitterZero) {
    cPyroEffect* effect = load("position=\"30,40\" LiveTime=\"2\" TimeDelta=\"0.25\" Loop=\"1\" StartDelay=\"1\" "
                               "Recreate=\"1\" PyroScale=\"1.5\"");
    EXPECT_EQ(effect->getKind(), WIDGET_KIND_PYRO);
    EXPECT_EQ(effect->getFileName(), "fx/a.pfx");
    EXPECT_EQ(effect->getLiveTime(), 2.0f);
    EXPECT_EQ(effect->getTimeDelta(), 0.25f);
    EXPECT_TRUE(effect->getLoop());
    EXPECT_EQ(effect->getStartDelay(), 1.0f);
    EXPECT_TRUE(effect->getRecreate());
    const cParticleDrawRecord& record = effect->getEmitPositionRef();
    EXPECT_EQ(record.scale, 1.5f);
    EXPECT_EQ(record.x, 30.0f);
    EXPECT_EQ(record.y, 40.0f);
    EXPECT_EQ(record.effect, effect->getEffect());
    EXPECT_EQ(library.loads, std::vector<std::string>{"fx/a.pfx:A"});
    ASSERT_EQ(library.files.size(), 1u);
    EXPECT_EQ((*library.files.begin())->prepares, 1);
    // Idle until played: nothing advances and nothing is drawn.
    ui.steps(2);
    EXPECT_FALSE(effect->isPlaying());
    EXPECT_TRUE(fake(effect).times.empty());
    EXPECT_TRUE(ui.graphics().pyroDraws().empty());
}

TEST_F(PyroEffectTest, TimeIsHandedOverInStepsOfAtMostAFiftiethAndAfterTheTimeDelta) {
    cPyroEffect* effect = load("position=\"5,6\"");
    effect->play();
    ui.step(0.12f);
    const std::vector<Step>& updates = fake(effect).updates;
    ASSERT_EQ(updates.size(), 3u);
    const float starts[] = {0, 0.05f, 0.1f}, steps[] = {0.05f, 0.05f, 0.02f};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(updates[i].time, starts[i], 1e-6f);
        EXPECT_NEAR(updates[i].step, steps[i], 1e-6f);
        EXPECT_EQ(updates[i].x, 5.0f);
        EXPECT_EQ(updates[i].y, 6.0f);
        EXPECT_NEAR(fake(effect).times[i].step, steps[i], 1e-6f);
    }

    // A time delta of 0.25 collects four frames of 1/16 s before the library hears of them.
    cPyroEffect* slow = load("TimeDelta=\"0.25\"");
    slow->play();
    std::vector<size_t> counts;
    for (int frame = 0; frame < 8; ++frame) {
        ui.step();
        counts.push_back(fake(slow).updates.size());
    }
    EXPECT_EQ(counts[0], 0u);
    EXPECT_EQ(counts[2], 0u);
    EXPECT_GE(counts[3], 5u);
    EXPECT_EQ(counts[4], counts[3]);
    EXPECT_NEAR(total(fake(slow).updates), 0.5f, 1e-5f);
    for (const Step& step : fake(slow).updates)
        EXPECT_LE(step.step, cPyroEffect::MAX_STEP);
    EXPECT_NEAR(slow->getPlayedTime(), 0.5f, 1e-6f);
}

TEST_F(PyroEffectTest, StartDelayHoldsTheStartAndTheLifeCountsFromItsEnd) {
    int data = 0;
    cPyroEffect* effect = load("StartDelay=\"1\" LiveTime=\"2\"");
    effect->play(true, 0, onFinished, &data);
    FakeEffect* instance = &fake(effect);
    ui.run(1.0f);
    EXPECT_TRUE(instance->updates.empty());
    ui.run(2.0f - UiHarness::FRAME_TIME);
    EXPECT_EQ(g_finished, 0);
    EXPECT_NEAR(total(instance->updates), 2.0f - UiHarness::FRAME_TIME, 1e-4f);
    ui.step();
    EXPECT_EQ(g_finished, 1);
    EXPECT_EQ(g_finishedData, &data);
    // Deleted at the end of the frame that finished it, its instance with it.
    EXPECT_FALSE(isWidgetAlive(effect));
    m_owned.back().release();
    EXPECT_TRUE(library.effects.empty());
}

TEST_F(PyroEffectTest, LifeEndsWithTheCallbackOnlyWhenTheWidgetDeletesItself) {
    struct Case {
        bool deleteWhenDone;
        float lifeTime;
        int frames;
        int calls;
        bool alive;
    };
    // LiveTime 2 unless play gives a life; 1.5 s is 24 frames, 2 s 32.
    const Case cases[] = {{false, 0, 32, 0, true}, {true, 1.5f, 24, 1, false}, {true, 0, 32, 1, false}};
    for (const Case& c : cases) {
        g_finished = 0;
        cPyroEffect* effect = load("LiveTime=\"2\"");
        effect->play(c.deleteWhenDone, c.lifeTime, onFinished, nullptr);
        ui.steps(c.frames - 1);
        EXPECT_TRUE(effect->isPlaying());
        ui.step();
        EXPECT_EQ(g_finished, c.calls) << c.lifeTime;
        EXPECT_EQ(isWidgetAlive(effect), c.alive) << c.lifeTime;
        if (!c.alive) {
            m_owned.back().release();
            continue;
        }
        EXPECT_FALSE(effect->isPlaying());
        ui.step();
        EXPECT_TRUE(ui.graphics().pyroDraws().empty());
    }
}

TEST_F(PyroEffectTest, LoopCallsBackEveryLifeAndStartsAgainFromTimeZero) {
    cPyroEffect* effect = load("Loop=\"1\" LiveTime=\"0.5\"");
    effect->play(true, 0, onFinished, nullptr);
    for (int life = 1; life <= 3; ++life) {
        ui.run(0.5f);
        EXPECT_EQ(g_finished, life);
        EXPECT_TRUE(isWidgetAlive(effect));
        EXPECT_TRUE(effect->isPlaying());
        EXPECT_EQ(effect->getPlayedTime(), 0.0f);
    }
    // Each life hands the library time from 0 again.
    const std::vector<Step>& updates = fake(effect).updates;
    EXPECT_EQ(std::count_if(updates.begin(), updates.end(), [](const Step& s) { return s.time == 0; }), 3);
}

TEST_F(PyroEffectTest, PlayingEffectsHandTheirRecordToTheDeviceWhichPlacesAndScalesThem) {
    cPyroEffect* effect = load("position=\"100,50\" PyroScale=\"2\"");
    effect->play();
    ui.step();
    ASSERT_EQ(ui.graphics().pyroDraws().size(), 1u);
    EXPECT_EQ(ui.graphics().pyroDraws()[0], &effect->getEmitPositionRef());
    EXPECT_EQ(fake(effect).scale, 2.0f);
    EXPECT_EQ(fake(effect).renders, 1);
    // Scaled about the origin and moved back: the emitter stays where it is.
    EXPECT_EQ(fake(effect).drawX, -100.0f);
    EXPECT_FALSE(effect->getEmitPositionRef().dirty);
    effect->setPosition(cVector2(10, 20));
    EXPECT_TRUE(effect->getEmitPositionRef().dirty);
    ui.step();
    EXPECT_EQ(fake(effect).updates.back().x, 10.0f);
    // Disabled or hidden: not drawn.
    effect->disable();
    ui.step();
    EXPECT_TRUE(ui.graphics().pyroDraws().empty());
    effect->enable();
    effect->hide();
    ui.step();
    EXPECT_TRUE(ui.graphics().pyroDraws().empty());
}

TEST_F(PyroEffectTest, WidgetsShareTheirFileAndASecondLoadFreesTheFirstInstance) {
    cPyroEffect* first = load("");
    cPyroEffect* second = load("");
    EXPECT_EQ(library.loads.size(), 1u);
    EXPECT_EQ(cPyroEffect::getLoadedFileCount(), 1u);
    EXPECT_NE(first->getEffect(), second->getEffect());
    EXPECT_EQ(library.effects.size(), 2u);

    first->play();
    ui.writeFile("again.xml", "<E pyro_file=\"fx/b.pfx\"/>");
    first->loadXML(ui.layout("again.xml"));
    EXPECT_EQ(library.effects.size(), 2u);
    EXPECT_EQ(first->getEmitPositionRef().effect, first->getEffect());
    EXPECT_EQ(library.loads, (std::vector<std::string>{"fx/a.pfx:A", "fx/b.pfx:B"}));

    // A library without an instance leaves the widget idle with no record effect.
    library.refuse = true;
    first->loadXML(ui.layout("again.xml"));
    EXPECT_EQ(first->getEffect(), nullptr);
    EXPECT_EQ(first->getEmitPositionRef().effect, nullptr);
    first->play();
    EXPECT_FALSE(first->isPlaying());
    ui.step();
    EXPECT_EQ(library.effects.size(), 1u);

    m_owned.clear();
    EXPECT_TRUE(library.effects.empty());
}

// Without the fixture: it runs a harness of its own.
TEST(PyroEffectFiles, SharedFilesGoBackToTheLibraryWhenTheDeviceEnds) {
    FakeLibrary own;
    {
        UiHarness harness;
        harness.writeFile("fx/a.pfx", "A");
        harness.writeFile("e.xml", "<E pyro_file=\"fx/a.pfx\"/>");
        harness.start();
        harness.graphics().setParticleLibrary(&own);
        cPyroEffect effect(nullptr, "e.xml");
        ASSERT_EQ(own.files.size(), 1u);
    }
    EXPECT_EQ(own.destroyedFiles, 1);
    EXPECT_TRUE(own.files.empty());
    EXPECT_EQ(cPyroEffect::getLoadedFileCount(), 0u);
}

TEST_F(PyroEffectTest, BackgroundLayersAndSpriteEffectsStartAtOnceAndTakeTheirOffsets) {
    ui.writeFile("bg.xml", "<B Visible=\"1\" Enable=\"1\"><BackPyro>"
                           "<P Visible=\"1\" Enable=\"1\" pyro_file=\"fx/a.pfx\" position=\"7,8\" UseOffset=\"1\"/>"
                           "<Q Visible=\"1\" Enable=\"1\" pyro_file=\"fx/b.pfx\" position=\"9,9\"/>"
                           "</BackPyro></B>");
    cBackground background(nullptr);
    background.loadXML(ui.layout("bg.xml"));
    ASSERT_EQ(background.getLayers().size(), 2u);
    int offsets = 0;
    for (cWidget* layer : background.getLayers()) {
        ASSERT_EQ(layer->getKind(), WIDGET_KIND_PYRO);
        auto* effect = static_cast<cPyroEffect*>(layer);
        EXPECT_TRUE(effect->isPlaying());
        if (effect->getUseOffset()) {
            ++offsets;
            EXPECT_EQ(effect->getPosition(), cVector2(0, 0));
            EXPECT_EQ(effect->getEmitPositionRef().offsetX, 7.0f);
            EXPECT_EQ(effect->getEmitPositionRef().x, 0.0f);
        }
    }
    EXPECT_EQ(offsets, 1);

    ui.writeFile("s.xml", "<S Visible=\"1\" Enable=\"1\" position=\"50,50\"><PyroEffects>"
                          "<E Visible=\"1\" Enable=\"1\" pyro_file=\"fx/a.pfx\" position=\"60,50\"/>"
                          "</PyroEffects></S>");
    cSprite sprite(nullptr);
    sprite.loadXML(ui.layout("s.xml"));
    ASSERT_EQ(sprite.getPyroEffects().size(), 1u);
    auto* effect = static_cast<cPyroEffect*>(sprite.getPyroEffects()[0]);
    EXPECT_TRUE(effect->isPlaying());
    sprite.setPosition(cVector2(100, 50));
    EXPECT_EQ(effect->getEmitPositionRef().x, 110.0f);
    // A copy of the sprite carries a started copy of its effect.
    std::unique_ptr<cSprite> copy(new cSprite(sprite));
    ASSERT_EQ(copy->getPyroEffects().size(), 1u);
    EXPECT_NE(copy->getPyroEffects()[0], effect);
    EXPECT_EQ(copy->getPyroEffects()[0]->getParent(), copy.get());
    EXPECT_TRUE(static_cast<cPyroEffect*>(copy->getPyroEffects()[0])->isPlaying());
}

TEST_F(PyroEffectTest, ARecreatedEffectTakesItsOriginalsPlaceAndGoesWithItsScreen) {
    const size_t before = library.effects.size();
    {
        ui.writeFile("bg.xml", "<B Visible=\"1\" Enable=\"1\"><BackPyro>"
                               "<P Visible=\"1\" Enable=\"1\" pyro_file=\"fx/a.pfx\" position=\"7,8\" "
                               "Recreate=\"1\" LiveTime=\"0.5\" PyroScale=\"3\"/></BackPyro></B>");
        cBackground background(nullptr);
        background.loadXML(ui.layout("bg.xml"));
        cWidget* original = *background.getLayers().begin();
        ui.run(0.5f);
        EXPECT_FALSE(isWidgetAlive(original));
        ASSERT_EQ(background.getLayers().size(), 1u);
        auto* copy = static_cast<cPyroEffect*>(*background.getLayers().begin());
        EXPECT_EQ(background.getChildren(), background.getLayers());
        EXPECT_EQ(copy->getParent(), &background);
        EXPECT_TRUE(copy->isPlaying());
        EXPECT_EQ(copy->getEmitPositionRef().scale, 3.0f);
        EXPECT_EQ(copy->getEmitPositionRef().x, 7.0f);
        ui.step();
        EXPECT_EQ(ui.graphics().pyroDraws().size(), 1u);

        // Inside a sprite the copy takes the original's place in its effect list.
        ui.writeFile("s.xml", "<S Visible=\"1\" Enable=\"1\"><PyroEffects>"
                              "<E Visible=\"1\" Enable=\"1\" pyro_file=\"fx/a.pfx\" Recreate=\"1\" LiveTime=\"0.5\"/>"
                              "<F Visible=\"1\" Enable=\"1\" pyro_file=\"fx/b.pfx\"/></PyroEffects></S>");
        cSprite sprite(nullptr);
        sprite.loadXML(ui.layout("s.xml"));
        cWidget* endless = sprite.getPyroEffects()[1];
        ui.run(0.5f);
        ASSERT_EQ(sprite.getPyroEffects().size(), 2u);
        EXPECT_NE(sprite.getPyroEffects()[0], nullptr);
        EXPECT_EQ(sprite.getPyroEffects()[0]->getParent(), &sprite);
        EXPECT_EQ(sprite.getPyroEffects()[1], endless);
        EXPECT_EQ(sprite.getChildren().size(), 2u);
    }
    // The screens took their effects with them.
    EXPECT_EQ(library.effects.size(), before);
}

TEST_F(PyroEffectTest, AFinishCallbackMayDeleteItsWidget) {
    cPyroEffect* effect = load("Loop=\"1\" LiveTime=\"0.5\"");
    m_owned.back().release();
    effect->play(
        true, 0, [](void* widget) { delete static_cast<cWidget*>(widget); }, effect);
    ui.run(0.5f);
    EXPECT_FALSE(isWidgetAlive(effect));
    EXPECT_TRUE(library.effects.empty());
}

// The device's own library: a file that is not an effect of ours plays as an empty effect.
TEST(PyroEffectFiles, AFileNotInOurFormatKeepsItsTimingDrawsNothingAndIsLoggedOnce) {
    g_finished = 0;
    const std::string logPath = wideToNarrow(getLogFolder()) + "/error.log";
    auto reports = [&] {
        std::ifstream in(logPath, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        size_t count = 0;
        for (size_t at = text.find("\"fx/junk.pfx\""); at != std::string::npos;
             at = text.find("\"fx/junk.pfx\"", at + 1))
            ++count;
        return count;
    };
    const size_t reportsBefore = reports();
    UiHarness ui;
    ui.writeFile("fx/junk.pfx", "GIF89a, not a particle effect");
    ui.writeFile("e.xml", "<E Visible=\"1\" Enable=\"1\" pyro_file=\"fx/junk.pfx\" Loop=\"1\" LiveTime=\"0.5\"/>");
    ui.start();
    {
        cPyroEffect first(nullptr, "e.xml"), second(nullptr, "e.xml");
        EXPECT_EQ(cPyroEffect::getLoadedFileCount(), 1u);
        ASSERT_NE(first.getEffect(), nullptr);
        first.play(true, 0, onFinished, &first);
        second.play();
        ui.run(0.5f);
        EXPECT_EQ(g_finished, 1);
        EXPECT_EQ(g_finishedData, &first);
        ui.run(0.5f);
        EXPECT_EQ(g_finished, 2);
        EXPECT_TRUE(first.isPlaying());
        EXPECT_TRUE(second.isPlaying());
        ui.recordingDevice()->clearCalls();
        ui.step();
        // Both records reach the device, which has nothing to draw for them.
        EXPECT_EQ(ui.graphics().pyroDraws().size(), 2u);
        EXPECT_TRUE(ui.recordingDevice()->getCalls("drawIndexedTriangles").empty());
    }
    EXPECT_EQ(reports() - reportsBefore, 1u);
}
