#pragma once
// Draws recorded samples as a self-contained SVG document.

#include <string>

#include "plot_samples.h"

// Width of every plot, in pixels; the height grows with the lanes.
constexpr int kPlotWidth = 960;

std::string RenderSvg(const PlotSamples& samples, const std::string& title);
