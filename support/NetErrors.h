// Socket error codes the wrappers place in LastError.
//
// LastError holds the platform's error numbers (errno on POSIX). The few codes the socket wrappers
// set on their own, or test for, have names here so that callers and tests do not depend on the
// numbers of one platform.
#pragma once

#include <cerrno>

// A non-blocking connect has started and goes on in the background.
inline constexpr int NetErrorInProgress = EINPROGRESS;
// A wait for a connection ran out of time.
inline constexpr int NetErrorTimedOut = ETIMEDOUT;
// The operation needs a socket and there is none.
inline constexpr int NetErrorNotSocket = ENOTSOCK;

// A failed host-name look-up stores the resolver's own code as it is (EAI_NONAME, EAI_AGAIN, ...;
// negative numbers on glibc, so they never collide with errno values), except for EAI_SYSTEM,
// where the errno value behind it is stored instead.
