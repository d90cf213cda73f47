// Layout, top to bottom: title, the current-profile band, one band per parallel profile that
// was ever active, one lane per traced name, the time axis with the scenario's events under it,
// then a legend of the bands too short to carry their names and the parallel profiles never
// active. Labels sit in the left margin; every band and event mark names itself on hover.
#include "plot_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kLeft = 170;  // label margin
constexpr int kRight = 20;
constexpr int kTitleHeight = 34;
constexpr int kBandHeight = 22;
constexpr int kLaneHeight = 90;
constexpr int kGap = 8;
constexpr int kAxisHeight = 34;
constexpr int kEventRow = 14;  // under the tick labels, when there are events
constexpr int kLegendRow = 18;
constexpr const char* kEventColour = "#777";
constexpr const char* kFailedColour = "#d62728";
constexpr const char* kSeriesColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e",
                                          "#8c564b", "#e377c2", "#7f7f7f", "#17becf"};
constexpr const char* kBandColours[] = {"#aec7e8", "#ffbb78", "#98df8a", "#ff9896",
                                        "#c5b0d5", "#c49c94", "#f7b6d2", "#dbdb8d"};

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        // Control characters are not allowed in XML; other bytes may not be UTF-8.
        out += static_cast<unsigned char>(c) < 0x20   ? ' '
               : static_cast<unsigned char>(c) > 0x7E ? '?'
                                                      : c;
    }
  }
  return out;
}

std::string Number(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", v);
  return buffer;
}

std::string Px(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", v);
  return buffer;
}

std::string Text(double x, double y, const std::string& text, const char* anchor = "start") {
  return "<text x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" text-anchor=\"" + anchor + "\">" +
         Escaped(text) + "</text>\n";
}

class Canvas {
 public:
  Canvas(const PlotSamples& samples) : samples_(samples) {
    end_ = samples.times.empty() ? 1 : std::max(samples.times.back(), 0.001);
  }

  double X(double seconds) const { return kLeft + seconds / end_ * (kPlotWidth - kLeft - kRight); }

  // Time spans over which `label(i)` stays the same, drawn as rectangles that name themselves
  // on hover, and in the band where the name fits; a name that does not fit goes to the legend.
  template <typename Label>
  std::string Segments(double top, Label label) const {
    std::string out;
    const size_t n = samples_.times.size();
    size_t start = 0;
    for (size_t i = 1; i <= n; ++i) {
      if (i < n && label(i) == label(start)) continue;
      const std::string name = label(start);
      if (!name.empty()) {
        const double t0 = samples_.times[start];
        const double t1 = i < n ? samples_.times[i] : end_;
        const double x0 = X(t0);
        const double x1 = X(t1);
        out += "<rect x=\"" + Px(x0) + "\" y=\"" + Px(top) + "\" width=\"" +
               Px(std::max(x1 - x0, 1.0)) + "\" height=\"" + std::to_string(kBandHeight) +
               "\" fill=\"" + ColourOf(name) + "\" stroke=\"#555\" stroke-width=\"0.5\"><title>" +
               Escaped(name) + ", " + Number(t0) + " s to " + Number(t1) + " s</title></rect>\n";
        if (x1 - x0 > 7.0 * static_cast<double>(name.size())) {
          out += Text(x0 + 4, top + kBandHeight - 6, name);
        } else if (std::find(unlabelled_.begin(), unlabelled_.end(), name) == unlabelled_.end()) {
          unlabelled_.push_back(name);
        }
      }
      start = i;
    }
    return out;
  }

  std::string Band(double top, const std::string& title, const std::string& body) const {
    return Text(kLeft - 8, top + kBandHeight - 6, title, "end") + body;
  }

  std::string Lane(double top, const TraceLane& lane) const {
    std::string out = "<rect x=\"" + Px(kLeft) + "\" y=\"" + Px(top) + "\" width=\"" +
                      Px(kPlotWidth - kLeft - kRight) + "\" height=\"" +
                      std::to_string(kLaneHeight) + "\" fill=\"#fafafa\" stroke=\"#bbb\"/>\n";
    out += Text(kLeft - 8, top + 16, lane.name, "end");
    if (!lane.known) return out + Text(kLeft - 8, top + 32, "(no such value)", "end");
    if (lane.isText) {
      const auto& texts = lane.texts[0];
      return out +
             Segments(top + (kLaneHeight - kBandHeight) / 2.0, [&](size_t i) { return texts[i]; });
    }
    double low = INFINITY, high = -INFINITY;
    for (const auto& column : lane.samples) {
      for (double v : column) {
        if (std::isnan(v)) continue;
        low = std::min(low, v);
        high = std::max(high, v);
      }
    }
    if (low > high) return out + Text(kLeft - 8, top + 32, "(unset)", "end");
    out += Text(kLeft - 8, top + 32, "max " + Number(high), "end");
    out += Text(kLeft - 8, top + kLaneHeight - 4, "min " + Number(low), "end");
    const double span = high > low ? high - low : 1;
    const double mid = high > low ? 0 : 0.5;  // a constant sits in the middle
    auto y = [&](double v) {
      return top + kLaneHeight - 6 - ((v - low) / span + mid) * (kLaneHeight - 12);
    };
    for (size_t c = 0; c < lane.samples.size(); ++c) {
      const char* colour = kSeriesColours[c % std::size(kSeriesColours)];
      out += Polylines(lane.samples[c], y, colour);
      if (lane.samples.size() > 1) {
        out += "<text x=\"" +
               Px(kLeft - 8 - 14.0 * static_cast<double>(lane.samples.size() - 1 - c)) + "\" y=\"" +
               Px(top + 48) + "\" text-anchor=\"end\" fill=\"" + colour + "\">" +
               Escaped(lane.columns[c]) + "</text>\n";
      }
    }
    return out;
  }

  std::string Axis(double top) const {
    std::string out = "<line x1=\"" + Px(kLeft) + "\" y1=\"" + Px(top) + "\" x2=\"" +
                      Px(kPlotWidth - kRight) + "\" y2=\"" + Px(top) + "\" stroke=\"#333\"/>\n";
    const double step = TickStep(end_);
    for (int i = 0; i * step <= end_ + step * 1e-6; ++i) {
      const double x = X(i * step);
      out += "<line x1=\"" + Px(x) + "\" y1=\"" + Px(top) + "\" x2=\"" + Px(x) + "\" y2=\"" +
             Px(top + 5) + "\" stroke=\"#333\"/>\n";
      out += Text(x, top + 18, Number(i * step) + " s", "middle");
    }
    return out + Events(top);
  }

  // The events of one moment as one mark under the axis; a failed expectation also draws a line
  // up through the plot.
  std::string Events(double axisTop) const {
    const auto& events = samples_.events;
    if (events.empty()) return "";
    const double y = axisTop + kAxisHeight + kEventRow / 2.0 - 4;
    std::string out = Text(kLeft - 8, y + 4, "events", "end");
    for (size_t i = 0; i < events.size();) {
      size_t j = i;
      std::string lines, failedLines;
      for (; j < events.size() && events[j].seconds == events[i].seconds; ++j) {
        lines += "; " + events[j].text + (events[j].failed ? " (failed)" : "");
        const std::string number = events[j].text.substr(0, events[j].text.find(':'));
        if (events[j].failed) failedLines += (failedLines.empty() ? "line " : ", ") + number;
      }
      const double x = X(events[i].seconds);
      const char* colour = failedLines.empty() ? kEventColour : kFailedColour;
      out += "<g><title>" + Number(events[i].seconds) + " s" + Escaped(lines) + "</title>";
      if (!failedLines.empty()) {
        out += "<line x1=\"" + Px(x) + "\" y1=\"" + Px(kTitleHeight) + "\" x2=\"" + Px(x) +
               "\" y2=\"" + Px(axisTop) + "\" stroke=\"" + colour + "\" stroke-dasharray=\"4 3\"/>";
        out += "<text x=\"" + Px(x + 6) + "\" y=\"" + Px(y + 4) + "\" fill=\"" + colour + "\">" +
               Escaped(failedLines) + "</text>";
      }
      out += "<circle cx=\"" + Px(x) + "\" cy=\"" + Px(y) + "\" r=\"4\" fill=\"" + colour +
             "\"/></g>\n";
      i = j;
    }
    return out;
  }

  // Swatches with the names of the bands too short to carry them, then the parallel profiles
  // that never turned on; `top` moves down past what is drawn.
  std::string Legend(double& top, const std::vector<std::string>& neverActive) const {
    std::string out;
    double x = kLeft;
    if (!unlabelled_.empty()) {
      out += Text(kLeft - 8, top + 13, "short bands", "end");
      for (const std::string& name : unlabelled_) {
        const double width = 22 + 7.0 * static_cast<double>(name.size());
        if (x + width > kPlotWidth - kRight && x > kLeft) {
          x = kLeft;
          top += kLegendRow;
        }
        out += "<rect x=\"" + Px(x) + "\" y=\"" + Px(top + 3) +
               "\" width=\"12\" height=\"12\" fill=\"" + ColourOf(name) +
               "\" stroke=\"#555\" stroke-width=\"0.5\"/>\n";
        out += Text(x + 16, top + 13, name);
        x += width;
      }
      top += kLegendRow;
    }
    if (!neverActive.empty()) {
      std::string names;
      for (const std::string& name : neverActive)
        names += (names.empty() ? "{" : ", {") + name + "}";
      out += Text(kLeft - 8, top + 13, "never active", "end") + Text(kLeft, top + 13, names);
      top += kLegendRow;
    }
    return out;
  }

 private:
  // 1, 2 or 5 times a power of ten, for about eight ticks.
  static double TickStep(double span) {
    const double rough = span / 8;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0}) {
      if (m * power >= rough) return m * power;
    }
    return 10 * power;
  }

  // One polyline per run of set samples; points on a flat stretch are left out.
  template <typename Y>
  std::string Polylines(const std::vector<double>& values, Y y, const char* colour) const {
    std::string out, points;
    auto flush = [&] {
      if (!points.empty()) {
        out += "<polyline fill=\"none\" stroke=\"" + std::string(colour) +
               "\" stroke-width=\"2\" points=\"" + points + "\"/>\n";
      }
      points.clear();
    };
    for (size_t i = 0; i < values.size(); ++i) {
      if (std::isnan(values[i])) {
        flush();
        continue;
      }
      const bool flat = i > 0 && i + 1 < values.size() && values[i - 1] == values[i] &&
                        values[i + 1] == values[i];
      if (flat) continue;
      points += Px(X(samples_.times[i])) + "," + Px(y(values[i])) + " ";
    }
    // A value that stays set to the end is drawn to the end.
    if (!values.empty() && !std::isnan(values.back())) {
      points += Px(X(end_)) + "," + Px(y(values.back())) + " ";
    }
    flush();
    return out;
  }

  std::string ColourOf(const std::string& name) const {
    auto found = colours_.find(name);
    if (found != colours_.end()) return found->second;
    const std::string colour = kBandColours[colours_.size() % std::size(kBandColours)];
    colours_[name] = colour;
    return colour;
  }

  const PlotSamples& samples_;
  double end_ = 1;
  mutable std::map<std::string, std::string> colours_;
  mutable std::vector<std::string> unlabelled_;  // band names that fit none of their spans
};

}  // namespace

std::string RenderSvg(const PlotSamples& samples, const std::string& title) {
  Canvas canvas(samples);
  std::string body = "<text x=\"10\" y=\"22\" font-size=\"15\" font-weight=\"bold\">" +
                     Escaped(title) + "</text>\n";
  double top = kTitleHeight;
  body += canvas.Band(top, "current profile",
                      canvas.Segments(top, [&](size_t i) { return samples.currentProfile[i]; }));
  top += kBandHeight + kGap;
  std::vector<std::string> neverActive;
  for (size_t p = 0; p < samples.parallelNames.size(); ++p) {
    const auto& active = samples.parallelActive[p];
    const std::string& name = samples.parallelNames[p];
    if (std::find(active.begin(), active.end(), true) == active.end()) {
      neverActive.push_back(name);
      continue;
    }
    body += canvas.Band(top, "{" + name + "}", canvas.Segments(top, [&](size_t i) {
      return active[i] ? name : std::string();
    }));
    top += kBandHeight + kGap;
  }
  for (const TraceLane& lane : samples.lanes) {
    // Grouped and named, so that a reader of the file (or a test) finds each lane.
    body += "<g id=\"lane-" + Escaped(lane.name) + "\">\n" + canvas.Lane(top, lane) + "</g>\n";
    top += kLaneHeight + kGap;
  }
  body += canvas.Axis(top);
  top += kAxisHeight + (samples.events.empty() ? 0 : kEventRow);
  body += canvas.Legend(top, neverActive);
  const std::string height = std::to_string(static_cast<int>(std::ceil(top)) + kGap);
  const std::string width = std::to_string(kPlotWidth);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
         "\" font-family=\"sans-serif\" font-size=\"12\">\n"
         "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n" +
         body + "</svg>\n";
}
