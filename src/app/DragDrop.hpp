#pragma once
#include <deque>
#include <string>

// Files dropped on the window by the platform, waiting for the frame loop. Entries are
// only queued while `accepting` is set (a project is open).
struct DragDrop {
    struct Entry {
        int tag = 0;
        std::string path;
    };
    bool accepting = false;
    std::deque<Entry> entries;

    static DragDrop& get();
};
