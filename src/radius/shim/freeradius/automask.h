/* Debian does not ship this header; the library builds without it. */
