# The firmware channel, its stand-in server and the trace log of its calls.
# Each of them uses the one pipe name of the script server.
orvex_add_e2e_test(test_firmware_channel.py LOCKS script_server)
orvex_add_e2e_test(test_script_server.py LOCKS script_server)
orvex_add_e2e_test(test_trace_log.py LOCKS script_server)
