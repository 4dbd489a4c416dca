// pilo_board.cpp: the model console: plays the board's rules from standard input.
#include "game/BoardConsole.h"

#include <iostream>

int main() {
    std::ios::sync_with_stdio(false);
    BoardConsole console(std::cout);
    return console.Run(std::cin);
}
