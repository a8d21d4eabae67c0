// Seed for the script fuzzer: the string type and every map function.
string describe(int x, int y) {
  string s = "cell ";
  s += x;
  s = s + "," + y;
  return s;
}

const uint WIDE = 4294967295;
double ratio = 2.5;

void main() {
  int x, y;
  getpos(x, y);
  string where = describe(x, y);
  if (where.length() > 3 && where != "" && "a" < "b" && "Z" <= "a") {
    message(where + " " + WIDE + " " + ratio + " " + 0.00001);
  }
  for (int i = 1; i <= 48; i++) {
    int t = gettile(i, 1);
    settile(i, 2, (t + rand()) % 256);
  }
  string empty;
  empty = 1234567.0;
  empty += -1;
  if (empty >= "1" || empty > "2") message(empty);
}
