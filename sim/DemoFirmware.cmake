# The demo's firmware folder: one sample image for the demo reader's model, with a
# version other than the one that reader reports at start, so that a download
# visibly changes it. scripts/run starts the demo reader with these values.
set(BRIMLET_DEMO_MODEL "BRM-CR1200KR" CACHE STRING "Model name of the demo reader")
set(BRIMLET_DEMO_READER_VERSION "150803" CACHE STRING
    "Firmware version the demo reader reports before a download")
set(BRIMLET_DEMO_FIRMWARE_VERSION "240705" CACHE STRING
    "Version of the sample firmware the demo downloads")
if(BRIMLET_DEMO_READER_VERSION STREQUAL BRIMLET_DEMO_FIRMWARE_VERSION)
  message(FATAL_ERROR "the demo firmware must differ from the demo reader's version")
endif()

set(demo_image
    ${BRIMLET_PROGRAM_DIR}/RIVI_OIL/MakeEncryptFW_RIVI_OIL-${BRIMLET_DEMO_MODEL}-${BRIMLET_DEMO_FIRMWARE_VERSION}.bin)
# Not a whole number of blocks, so the last block is a partial one as in real images.
add_custom_command(
  OUTPUT ${demo_image}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${BRIMLET_PROGRAM_DIR}/RIVI_OIL
  COMMAND make-sample-image --size 40000 --version ${BRIMLET_DEMO_FIRMWARE_VERSION}
          --output ${demo_image}
  DEPENDS make-sample-image
  COMMENT "Writing the demo firmware for ${BRIMLET_DEMO_MODEL}"
  VERBATIM)
add_custom_target(demo-firmware ALL DEPENDS ${demo_image})
