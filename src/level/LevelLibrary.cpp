// Anchors the level library so that it always has one object file; the model lives beside it.
#include "level/Constants.hpp"
