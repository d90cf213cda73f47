// `simulate --plot FILE.svg`: the run drawn as an SVG.

#include "plot.h"

#include <cstdio>

#include "plot_samples.h"
#include "plot_svg.h"

namespace {

class Plotter : public RunObserver {
 public:
  Plotter(std::string svgPath, std::vector<std::string> trace, std::string title)
      : svgPath_(std::move(svgPath)), trace_(std::move(trace)), title_(std::move(title)) {}

  void Observe(double seconds, const GameSide& game) override {
    // The first sample comes after loading, when the profiles exist and no frame has run.
    const bool loaded = samples_.times.empty();
    if (loaded) samples_ = StartSamples(trace_);
    TakeSample(samples_, seconds, game, !loaded);
  }

  void Played(double seconds, const ScenarioLine& line, bool failed) override {
    RecordEvent(samples_, seconds, line, failed);
  }

  bool Done(double) const override { return false; }

  bool Finish(double) override {
    const std::string svg = RenderSvg(samples_, title_);
    std::FILE* file = std::fopen(svgPath_.c_str(), "wb");
    const bool written =
        file != nullptr && std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
    const bool closed = file != nullptr && std::fclose(file) == 0;
    if (!written || !closed) std::fprintf(stderr, "%s: cannot write the plot\n", svgPath_.c_str());
    return written && closed;
  }

 private:
  std::string svgPath_;
  std::vector<std::string> trace_;
  std::string title_;
  PlotSamples samples_;
};

}  // namespace

std::unique_ptr<RunObserver> MakePlotter(std::string svgPath, std::vector<std::string> trace,
                                         std::string title) {
  return std::make_unique<Plotter>(std::move(svgPath), std::move(trace), std::move(title));
}
