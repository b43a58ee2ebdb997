#pragma once

#include <string>
#include <vector>

namespace balvix {

// One entry of a folder of the program directory, as listFolder finds it.
struct FolderEntry {
  std::string name;       // Windows-1252, as the folder holds it ("coche.txt")
  std::string systemName; // the name as the system holds it, to find the entry again
  bool regular = false;   // a regular file itself: not a link, directory, pipe or device
};

// What listFolder finds in a folder of the program directory.
struct FolderListing {
  enum class State {
    absent,     // no entry of that name: nothing to list
    listed,     // a folder, listed
    unreadable, // an entry that is not a folder (a file, a link) or one that cannot be listed
  };
  State state = State::absent;
  std::vector<FolderEntry> entries; // every entry but "." and "..", in no set order
};

} // namespace balvix
