// Parse time of a 1 MB layout-like XML file through cXmlDocument (Expat underneath) next to
// pugixml parsing the same bytes in the same run; prints our time over pugixml's.

#include "engine/core/XmlDocument.h"

#include <benchmark/benchmark.h>
#include <expat.h>
#include <pugixml.hpp>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace {

// Screens of widgets as the game's layouts write them: nested elements with a handful of
// attributes, some child elements with text, indentation between them.
std::string makeLayout(size_t targetBytes) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Layouts>\n";
    for (int screen = 0; xml.size() < targetBytes; ++screen) {
        std::string id = std::to_string(screen);
        xml += "  <Screen name=\"screen" + id + "\" x=\"0\" y=\"0\" width=\"1024\" height=\"768\">\n";
        for (int w = 0; w < 12; ++w) {
            std::string wid = std::to_string(w);
            xml += "    <Button name=\"button" + wid + "\" pos=\"" + std::to_string(w * 40) +
                   ",120\" size=\"180,48\" "
                   "texture=\"Meadow/Gui/button_" +
                   wid + ".png\" sound=\"click\" depth=\"0.5\">\n";
            xml += "      <Caption font=\"fonts/main.fnt\" color=\"FFFFE0A0\" align=\"center\">Play level " + wid +
                   "</Caption>\n";
            xml += "      <Speed>1.5</Speed>\n";
            xml += "      <Item copyable=\"no\" a=\"1\" b=\"2\"/>\n";
            xml += "    </Button>\n";
        }
        xml += "    <Label name=\"title\" text=\"Meadow &amp; friends\" pos=\"512,40\"/>\n";
        xml += "  </Screen>\n";
    }
    xml += "</Layouts>\n";
    return xml;
}

const std::string& layout() {
    static const std::string xml = makeLayout(1 << 20);
    return xml;
}

// range(0) = 1 times the tree's destruction too; 0 leaves it out (parse time alone).
void BM_MeadowXml(benchmark::State& state) {
    const std::string& xml = layout();
    const bool withFree = state.range(0) != 0;
    for (auto _ : state) {
        auto document = std::make_unique<Engine::cXmlDocument>();
        if (!document->parseBytes(reinterpret_cast<const uint8_t*>(xml.data()), xml.size()))
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(document->getNodeCount());
        if (!withFree)
            state.PauseTiming();
        document.reset();
        if (!withFree)
            state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(xml.size()));
}

void BM_Pugixml(benchmark::State& state) {
    const std::string& xml = layout();
    const bool withFree = state.range(0) != 0;
    for (auto _ : state) {
        auto document = std::make_unique<pugi::xml_document>();
        if (!document->load_buffer(xml.data(), xml.size()))
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(document->first_child());
        if (!withFree)
            state.PauseTiming();
        document.reset();
        if (!withFree)
            state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(xml.size()));
}

// Expat alone with empty handlers: the floor under our layer.
void BM_ExpatOnly(benchmark::State& state) {
    const std::string& xml = layout();
    for (auto _ : state) {
        XML_Parser parser = XML_ParserCreate(nullptr);
        XML_SetElementHandler(
            parser, [](void*, const XML_Char*, const XML_Char**) {}, [](void*, const XML_Char*) {});
        XML_SetCharacterDataHandler(parser, [](void*, const XML_Char*, int) {});
        if (XML_Parse(parser, xml.data(), int(xml.size()), XML_TRUE) != XML_STATUS_OK)
            state.SkipWithError("parse failed");
        XML_ParserFree(parser);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(xml.size()));
}

BENCHMARK(BM_ExpatOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeadowXml)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pugixml)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration (the median when repeated) for the ratios at the end.
class cRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            std::string name = run.run_name.function_name + "/" + run.run_name.args;
            if (run.run_type == Run::RT_Iteration && !m_median.count(name))
                m_times[name] = run.GetAdjustedRealTime();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                m_times[name] = run.GetAdjustedRealTime();
                m_median.insert(name);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatio(const char* what, const std::string& ours, const std::string& theirs) const {
        auto a = m_times.find(ours), b = m_times.find(theirs);
        if (a != m_times.end() && b != m_times.end() && b->second > 0)
            std::printf("%s / pugixml: %.2fx (goal for cXmlDocument: within 2x)\n", what, a->second / b->second);
    }

private:
    std::map<std::string, double> m_times;
    std::set<std::string> m_median;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    cRatioReporter reporter;
    std::printf("Layout XML: %zu bytes\n", layout().size());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("Expat alone (the floor under cXmlDocument)", "BM_ExpatOnly/", "BM_Pugixml/0");
    reporter.printRatio("cXmlDocument parse", "BM_MeadowXml/0", "BM_Pugixml/0");
    reporter.printRatio("cXmlDocument parse and free", "BM_MeadowXml/1", "BM_Pugixml/1");
    benchmark::Shutdown();
    return 0;
}
