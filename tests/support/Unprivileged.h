#pragma once

namespace zor::test {

// Runs `body` in a forked child that has dropped root's privileges (to "nobody") when the test
// runs as root, so that file permissions apply; returns the child's exit code.
int RunUnprivileged(int (*body)(void* context), void* context);

}  // namespace zor::test
