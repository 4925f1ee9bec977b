# giflib is an anchor of the GIF benchmark only.
if(TARGET bench_gif)
  target_link_libraries(bench_gif PRIVATE gif)
endif()
