// Found by the script fuzzer (as "empty >= "..."|1 | empty > "2""): a string
// constant in a bitwise operation. The engine's compiler reports that the
// string does not convert and then fails an assertion, which aborted the
// program. The build now runs first in a child process, and the script is
// refused as a build error.
void main() {
  int b = "a" | 1;
}
