#include "app/DragDrop.hpp"

DragDrop& DragDrop::get() {
    static DragDrop instance;
    return instance;
}
