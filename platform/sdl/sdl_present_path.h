#pragma once
// Which way a window's frames go to the screen: through an SDL renderer's texture or
// straight into the window's own surface. The surface is the cheaper way wherever
// the renderer would draw with the processor anyway: SDL's software renderer copies
// its texture into that same surface, and OpenGL on a software rasteriser (what an X
// server without a GPU gives, Xvfb for one) scales and blends every pixel of the
// texture on the processor before the same picture reaches the server.
#include <string_view>

namespace scr::platform::sdl {

// A name of OpenGL's renderer (GL_RENDERER) that is a rasteriser running on the
// processor.
bool IsSoftwareRasteriser(std::string_view glRenderer);

// Before a renderer is made: the surface was asked for, by the caller or by SDL's
// hint SDL_RENDER_DRIVER (empty when not set) naming the software renderer.
bool SurfaceAsked(bool software, std::string_view driverHint);

// What SDL made for the window when nothing asked for the surface.
struct TRendererFacts {
  std::string_view driverHint;  // SDL_RENDER_DRIVER, empty when not set
  std::string_view name;        // the renderer's name, as SDL gives it
  bool software = false;        // SDL flags it as its software renderer
  std::string_view glRenderer;  // GL_RENDERER of its context; empty when not OpenGL
};

// After the renderer is made: true when the window's surface is to be used instead.
// A driver the person named through SDL's hint is kept unless it is SDL's software
// renderer, so SDL_RENDER_DRIVER=opengl still shows through a rasteriser on the
// processor when asked for.
bool SurfaceBetter(const TRendererFacts& facts);

}  // namespace scr::platform::sdl
