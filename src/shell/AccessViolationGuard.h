#pragma once

namespace linkloom {

// Runs `call(argument)` so that an access violation raised inside it does not end the program:
// execution goes on after the call as if it had returned. Other exceptions pass on as usual.
// Returns false when an access violation was contained.
bool CallContainingAccessViolation(void (*call)(void* argument), void* argument);

}  // namespace linkloom
