// Found by the script fuzzer: a local string used in its own initialiser.
// The compiler lets it through, and the string operation met memory the
// engine had not constructed yet: the program crashed. The script now stops
// with a script exception.
string describe(int x) {
  string s = "cell " + s += x;
  return s;
}

void main() {
  message(describe(1));
}
