#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Window.h"
#include "graph/Graph.h"
#include "graph/GraphError.h"
#include "graph/TestGraphics.h"

// A canvas in a window, drawing into a recording surface of fixed metrics.
class GraphFixture : public ::testing::Test {
 protected:
  GraphFixture() : graph(window.Add<Graph>("dGraph")) { UseTestSurface(500, 400); }

  void UseTestSurface(int w, int h) {
    picture = std::make_shared<TestPicture>(w, h);
    graph.GXP = picture;
    graph.GX = &picture->g;
    graph.FWidth = w;
    graph.FHeight = h;
  }

  TestGraphics& g() { return picture->g; }

  // A plot rectangle placed by hand, both axes scaled over it.
  void Place(int left, int top, int width, int height, double xmin, double xmax, double ymin, double ymax) {
    graph.GLeft = left;
    graph.GTop = top;
    graph.GWidth = width;
    graph.GHeight = height;
    graph.zDefineYAxis(ymin, ymax);
    graph.zDefineXAxis(xmin, xmax);
  }

  // The message of the GraphError that f raises, "" when none.
  template <class F>
  static std::string ErrorOf(F&& f) {
    try {
      f();
    } catch (const GraphError& e) {
      return e.msg;
    }
    return "";
  }

  fw::Window window;
  Graph& graph;
  std::shared_ptr<TestPicture> picture;
};
