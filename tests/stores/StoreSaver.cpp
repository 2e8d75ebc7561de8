// Saves one store in a loop, alternating its two contents, until it is killed. The first line
// on standard output says the first save is done and how long it took, in microseconds.
#include <chrono>
#include <cstdio>

#include "StoreUnderTest.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s STORE HOME\n", argv[0]);
    return 2;
  }
  const auto store = dovrik::storetest::openStore(argv[1], argv[2]);
  if (!store) {
    std::fprintf(stderr, "unknown store %s\n", argv[1]);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  store->save(0);
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - start);
  std::printf("first save done %lld\n", static_cast<long long>(took.count()));
  std::fflush(stdout);
  for (unsigned long n = 1;; ++n)
    store->save(static_cast<int>(n % 2));
}
