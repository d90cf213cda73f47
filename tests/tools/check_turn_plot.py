#!/usr/bin/env python3
"""Looks at the plot of turn.scenario: the game camera's yaw rises while the look input is
held up, the profile bands name themselves, the parallel profile that never turned on is
listed as such, and the failed expectation is marked with its line.

usage: check_turn_plot.py PLOT.svg
"""
import sys
import xml.etree.ElementTree as ElementTree

SVG = "{http://www.w3.org/2000/svg}"


def lane_points(root, name):
    """The points of the first line drawn in a lane, as (x, y) pairs."""
    lane = root.find(f".//{SVG}g[@id='lane-{name}']")
    if lane is None:
        sys.exit(f"no lane {name}")
    line = lane.find(f"{SVG}polyline")
    return [tuple(map(float, p.split(","))) for p in line.get("points").split()]


def main():
    root = ElementTree.parse(sys.argv[1]).getroot()
    yaw = lane_points(root, "gameyaw")
    if not yaw[0][1] > yaw[-1][1] or len({y for _, y in yaw}) < 3:
        sys.exit(f"the yaw does not rise: {yaw}")
    look = lane_points(root, "look")
    if max(y for _, y in look) - min(y for _, y in look) < 50:
        sys.exit(f"the look input does not show: {look}")
    titles = [t.text for t in root.iter(f"{SVG}title")]
    if not any(t.startswith("__Default, 0 s to") for t in titles):
        sys.exit(f"the default profile's band does not name itself: {titles}")
    texts = [t.text for t in root.iter(f"{SVG}text")]
    if "never active" not in texts or "{Swimming}" not in texts:
        sys.exit(f"the parallel profile that never turned on is not listed: {texts}")
    if "line 8" not in texts or not any("8: expect game look 10 0 (failed)" in t for t in titles):
        sys.exit(f"the failed expectation is not marked: {texts} {titles}")
    print(f"yaw from y={yaw[0][1]} to y={yaw[-1][1]}, {len(titles)} titles")


if __name__ == "__main__":
    main()
