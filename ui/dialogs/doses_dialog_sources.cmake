target_sources(norvalis_dialogs PRIVATE
    doses_box_texts.cpp doses_box_texts.h
    doses_config_dialog.cpp doses_config_dialog.h
    doses_layout.h
    doses_entry_checks.cpp doses_entry_checks.h
    doses_messages.cpp doses_messages.h
)
