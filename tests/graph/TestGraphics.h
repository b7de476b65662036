#pragma once

#include <string>
#include <vector>

#include "framework/Graphics.h"

// A drawing surface with fixed metrics that records every call: a character is
// size / 2 pixels wide (size 0 draws at 12), one more when bold or in "Symbol";
// a line is size + 3 pixels high.
class TestGraphics : public fw::Graphics {
 public:
  struct Op {
    std::string kind;
    int x = 0, y = 0, w = 0, h = 0;
    std::string text;
    std::string font;
    int size = 0;
    bool bold = false;
    bool italic = false;
    fw::Color color;
  };

  explicit TestGraphics(int w = 500, int h = 400) : width_(w), height_(h) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void DrawLine(int x1, int y1, int x2, int y2) override { Record("line", x1, y1, x2, y2); }
  void DrawRect(int x, int y, int w, int h) override { Record("rect", x, y, w, h); }
  void FillRect(int x, int y, int w, int h) override { Record("fillrect", x, y, w, h); }
  void DrawOval(int x, int y, int w, int h) override { Record("oval", x, y, w, h); }
  void FillOval(int x, int y, int w, int h) override { Record("filloval", x, y, w, h); }
  void DrawString(const std::string& text, int x, int baselineY) override {
    Record("text", x, baselineY, 0, 0, text);
  }
  double StringWidth(const std::string& text) override {
    return Chars(text) * (EffectiveSize() / 2.0 + (Bold ? 1 : 0) + (TextFont == "Symbol" ? 1 : 0));
  }
  int TextHeight() override { return EffectiveSize() + 3; }
  int TextAscent() override { return EffectiveSize(); }
  void DrawPicture(const fw::Picture&, int x, int y, int w, int h, int srcX, int srcY) override {
    Record("picture", x, y, w, h, std::to_string(srcX) + "," + std::to_string(srcY));
  }
  void DrawStopIcon(int x, int y) override { Record("stop", x, y, 0, 0); }

  int EffectiveSize() const { return TextSize <= 0 ? 12 : TextSize; }

  std::vector<Op> Of(const std::string& kind) const {
    std::vector<Op> found;
    for (const Op& op : ops) {
      if (op.kind == kind) found.push_back(op);
    }
    return found;
  }

  std::vector<Op> ops;

 private:
  static int Chars(const std::string& s) {
    int n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
  }
  void Record(const char* kind, int x, int y, int w, int h, const std::string& text = {}) {
    ops.push_back(Op{kind, x, y, w, h, text, TextFont, TextSize, Bold, Italic, ForeColor});
  }

  int width_;
  int height_;
};

// A picture over a TestGraphics.
class TestPicture : public fw::Picture {
 public:
  TestPicture(int w, int h, int depth = 32) : g(w, h), depth_(depth) {}
  int Width() const override { return g.Width(); }
  int Height() const override { return g.Height(); }
  int Depth() const override { return depth_; }
  fw::Graphics* GetGraphics() override { return &g; }

  TestGraphics g;

 private:
  int depth_;
};
