/* Built with -m32: exits 0 only when the kernel runs it natively. A 32-bit process on a 64-bit
   kernel sees "x86_64"; under qemu-i386 (through a binfmt entry or not) it sees "i686", and a
   kernel without i386 support does not start it at all. */
#include <stdio.h>
#include <string.h>
#include <sys/utsname.h>

int main(void) {
  struct utsname name;
  if (uname(&name) != 0) return 2;
  printf("%s\n", name.machine);
  return strcmp(name.machine, "x86_64") == 0 ? 0 : 1;
}
