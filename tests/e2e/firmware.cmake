# The firmware call through the pipe, and a smoke run of each stand-in tool.
orvex_add_e2e_test(test_firmware_channel.py LOCKS script_server)
orvex_add_e2e_test(test_tools.py LOCKS script_server display)
