// Timing of the owner-drawn button and of building the keypad from its
// stored layout.
//
//   WCButton/Redraw        one full redraw of a focused 46 x 27 key
//   Keypad/Build           reading the layout and loading all 44 keys, each
//                          property assignment redrawing its key

#include "FormLayoutFile.h"
#include "WCButton.h"
#include "WindowBenchmarks.h"

#include <QWidget>

namespace {

void WCButtonRedraw(benchmark::State& state)
{
    QWidget window;
    auto* pKey = new WCButton(&window);
    pKey->setGeometry(0, 0, 46, 27);
    pKey->SetCaption(QStringLiteral("arcsinh"));
    window.show();
    pKey->setFocus();
    for (auto _ : state) {
        // Assigning a property redraws the whole key.
        pKey->SetCaption(pKey->Caption());
        benchmark::DoNotOptimize(pKey->Surface().constBits());
    }
}
BENCHMARK(WCButtonRedraw)->Name("WCButton/Redraw")->Unit(benchmark::kMicrosecond);

void KeypadBuild(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget window;
        window.resize(600, 360);
        for (const LayoutInstance& instance : ReadFormLayout(QStringLiteral(":/layouts/keypad.json"))) {
            auto* pKey = new WCButton(&window);
            pKey->setGeometry(instance.rect);
            pKey->ReadProperties(instance.properties);
        }
        window.show();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(KeypadBuild)->Name("Keypad/Build")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
