/* The machine's limit for the console's benchmark: a TCP client that connects to the console's
   port and answers every 8-byte read with one fixed 25-byte reply (registers 0..9 of a lift at
   first start), doing nothing else.  Usage: responder [address [port]], default 127.0.0.1 4001. */
#include <arpa/inet.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

static const unsigned char reply[25] = {0x01, 0x04, 0x14, 0x00, 0x01, 0x00, 0x01, 0x61, 0x4E,
                                        0x00, 0xBC, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00,
                                        0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0xCC};

int main(int argc, char** argv)
{
  struct sockaddr_in gateway = {.sin_family = AF_INET};
  gateway.sin_port = htons(argc > 2 ? (unsigned short)atoi(argv[2]) : 4001);
  if (inet_pton(AF_INET, argc > 1 ? argv[1] : "127.0.0.1", &gateway.sin_addr) != 1) return 2;
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0 || connect(fd, (struct sockaddr*)&gateway, sizeof gateway) < 0) {
    perror("responder: connect");
    return 1;
  }
  unsigned char request[2048];
  ssize_t n;
  while ((n = read(fd, request, sizeof request)) > 0) {
    if (n == 8 && write(fd, reply, sizeof reply) != (ssize_t)sizeof reply) break;
  }
  close(fd);
  return 0;
}
