// The OS services a form may use, handed down from the program entry.
#pragma once

namespace korvane {

class RegistryStore;
class Dialogs;
class Processes;
class FileSystem;
class OsInfo;
class Processor;
class MillisecondTimer;
class WallClock;
class Clipboard;
class Scheduler;
class VideoBios;
class VideoMemory;

struct Services {
  RegistryStore& registry;
  Dialogs& dialogs;
  Processes& processes;
  FileSystem& files;
  OsInfo& os;
  Processor& processor;
  MillisecondTimer& timer;
  WallClock& clock;
  Clipboard& clipboard;
  Scheduler& scheduler;
  VideoBios& video_bios;
  VideoMemory& video_memory;
};

}  // namespace korvane
