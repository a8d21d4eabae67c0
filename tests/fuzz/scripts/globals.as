// Seed for the script fuzzer: globals initialised by functions that call
// the host, a class, an array-free recursion and an early exception.
int calls = 0;
int first = count();
string label = "tile" + first;

int count() { calls++; return gettile(1, 1) + 1; }

class Walker {
  int x = 1;
  int y = 1;
  void step(int dx, int dy) { x += dx; y += dy; settile(x, y, 61); }
}

int depth(int n) { return n <= 0 ? 0 : 1 + depth(n - 1); }

void main() {
  Walker w;
  for (int i = 0; i < 20; i++) w.step(1, i % 2);
  message(label + depth(30));
  int zero = 0;
  settile(1, 1, 10 / zero);
}
