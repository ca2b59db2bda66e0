// Exit statuses of ferrule.
#pragma once

namespace ferrule {

// Everything went through and the output closed cleanly.
constexpr int kExitOk = 0;
// Usage message; "s_fname too long".
constexpr int kExitUsage = 1;
// A broken pipe while writing to the command (compressor, second ferrule).
constexpr int kExitBrokenPipe = 1;
// "calloc failure" for the zero fill of the last block.
constexpr int kExitNoMemory = 1;
// The chain failed ("Failure detected") but closing the output went well:
// a failure is never reported as success.
constexpr int kExitFailure = 1;
// The command could not be started.
constexpr int kExitNoCommand = 1;
// A read error while reading ahead for detection.
constexpr int kExitReadAhead = 255;
// The checksum file cannot be opened for appending.
constexpr int kExitSumFile = 255;
// Closing standard output failed, or the pipe's close had no status (the low
// eight bits of the -1 that the close returned).
constexpr int kExitCloseFailed = 255;
// The command behind the pipe died of signal s: 128 + s, as a shell says it.
constexpr int kExitSignalBase = 128;

}  // namespace ferrule
