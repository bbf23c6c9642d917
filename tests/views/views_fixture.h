// What the view tests share: DirectFB's in-memory system and the glyph cache
// started once per test binary, the system font, a top group locked in the
// root set, and bitmaps painted at run time with known colours per frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Core/Group.h"
#include "Fonts/Fonts.h"
#include "GenFont.h"
#include "GenPng.h"
#include "Graphics/Canvas.h"
#include "Resources/Font.h"
#include "gcm.h"
#include "vgclock.h"
#include "vgresmap.h"
#include "vgslot.h"
#include "vgtimer.h"

namespace ViewsTest {

// The product's font file when the tree carries one, else the fallback face.
inline std::string FontPath() {
  if (const char* root = std::getenv("TVUI_SOURCE_DIR")) {
    const std::string installed = std::string(root) + "/fonts/tt7268m_803.ttf";
    if (std::filesystem::exists(installed)) return installed;
  }
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

class Environment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(GCM_Start(1), 0);
    ASSERT_EQ(GenInitGlyphCache(20000), 0);
    ASSERT_EQ(GenRegisterFont(FontPath().c_str()), 0);
    VgClockSetManual(true);
  }
};
inline testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new Environment);

inline Resources::Font* LoadFont(const VgConstant& font) {
  return static_cast<Resources::Font*>(VgLoadResource(&font, &Resources::Font::Class));
}

// A canvas with frames side by side, each filled with its own colour; the
// frame fields are set as a bitmap resource would have them.
class Strip : public Graphics::Canvas {
  VG_CLASS()
 public:
  void Make(VgPoint frameSize, const std::vector<VgColor>& colours, int32_t delay) {
    const int32_t n = static_cast<int32_t>(colours.size());
    OnSetSize({frameSize.x * n, frameSize.y});
    for (int32_t i = 0; i < n; ++i) {
      VgRect r{i * frameSize.x, 0, (i + 1) * frameSize.x, frameSize.y};
      DrawRectangle(r, r, colours[i], 0);
    }
    SetFrames(frameSize, delay);
  }
  void SetFrames(VgPoint frameSize, int32_t delay) {
    FrameSize = frameSize;
    FrameDelay = delay;
    NoOfFrames = (Size.x / frameSize.x) * (Size.y / frameSize.y);
    IsAnimated = delay >= 1 && NoOfFrames >= 2;
    bitmap->frameWidth = frameSize.x;
    bitmap->frameHeight = frameSize.y;
    bitmap->frameDelay = delay;
  }
  // For bitmaps a resource could not describe: animated without a delay.
  void ForceAnimated() { IsAnimated = true; }
};

inline GenColor Engine(VgColor c) { return Graphics::Canvas::EngineColor(c); }

inline GenImage Pixels(Graphics::Canvas* canvas) {
  GenImage image;
  EXPECT_TRUE(GenReadBitmap(canvas->EngineBitmap(), &image));
  return image;
}

// A locked top group and a canvas of its size to draw it into.
class ViewsFixture : public testing::Test {
 protected:
  void SetUp() override {
    top = VgNew<Core::Group>();
    top->Bounds = {0, 0, 120, 80};
    VgLockObject(top);
  }
  void TearDown() override {
    VgDiscardSignals();
    VgUnlockObject(top);
    VgReclaimMemory();
  }
  // Draws the whole tree into a fresh transparent canvas of the top's size.
  Graphics::Canvas* Render() {
    auto* canvas = VgNew<Graphics::Canvas>();
    const VgPoint size = VgGetRectSize(top->Bounds);
    canvas->OnSetSize(size);
    top->Draw(canvas, {0, 0, size.x, size.y}, {0, 0});
    return canvas;
  }
  // Moves the manual clock and fires what is due, collecting garbage after
  // each step as the GUI loop does.
  void Advance(uint32_t ms) {
    VgClockAdvance(ms);
    VgProcessTimers();
    VgProcessSignals();
    VgReclaimMemory();
  }

  Core::Group* top = nullptr;
};

}  // namespace ViewsTest
