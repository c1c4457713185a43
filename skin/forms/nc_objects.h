#pragma once
// Non-client objects: the things in a skinned frame that react to the mouse. Caption buttons
// (TWinSysButton) are one kind; menu-bar items are the other. Each frame skinner has at most
// one hot object, the one under the mouse or pressed, shared by both kinds.
//
// State: 1 normal, 2 pressed, 3 hot. Portable: the frame skinner paints through TNCHost.
#include "skin/data/elements.h"
#include "skin/data/raster.h"

namespace vela::skin {

class TNCObject;

// What a non-client object needs from the frame skinner that owns it.
class TNCHost {
public:
  virtual TNCObject* HotObject() const = 0;
  virtual void SetHotObject(TNCObject* object) = 0;
  // Paints the object in its current state straight onto the window.
  virtual void PaintObject(TNCObject& object) = 0;

protected:
  ~TNCHost() = default;
};

class TNCObject {
public:
  enum State { stNormal = 1, stPressed = 2, stHot = 3 };

  explicit TNCObject(TNCHost& owner) : owner_(owner) {}
  virtual ~TNCObject() = default;
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  virtual void MouseDown();
  virtual void MouseUp();
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Paint() {}

  // Position in frame coordinates.
  Rect Bounds;
  // The result of the last visibility test.
  bool Visible = false;
  int State = stNormal;

protected:
  TNCHost& Owner() const { return owner_; }

private:
  TNCHost& owner_;
};

// A caption button drawn from one of the skin's caption-button definitions (not owned).
class TWinSysButton : public TNCObject {
public:
  TWinSysButton(TNCHost& owner, const TDataSkinSysButton& definition, const Raster& image,
                int cellCount)
      : TNCObject(owner), definition_(definition), image_(image), cellCount_(cellCount) {}

  const TDataSkinSysButton& Definition() const { return definition_; }
  // The strip it is drawn from: the definition's, or the window icon for a system-menu button
  // whose skin gives no image.
  const Raster& Image() const { return image_; }
  int CellCount() const { return cellCount_; }
  void Paint() override { Owner().PaintObject(*this); }

private:
  const TDataSkinSysButton& definition_;
  Raster image_;
  int cellCount_;
};

} // namespace vela::skin
