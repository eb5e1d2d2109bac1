#pragma once

// OpenGL entry points come from libepoxy, which resolves them in whatever context is
// current. It must be included before any other OpenGL header.
#include <epoxy/gl.h>
